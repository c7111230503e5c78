// The "Options" tab of the setup screen: printing, taxation with the
// graduated scheme, and the telephone.
#include "base/Money.h"
#include "setup/SetupRules.h"
#include "ui/widgets/PictureButton.h"
#include "ui/setup/SetupScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace setup;

namespace ui {

namespace {

QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

void paintSample(QLineEdit *sample, std::uint32_t stored)
{
    QPalette p = sample->palette();
    p.setColor(QPalette::Base, setup::colorFromStored(stored));
    sample->setPalette(p);
    sample->setAutoFillBackground(true);
}

// Empties a graduated box that holds exactly zero as currency when a key is
// typed into it, so typing replaces the zero.
class ZeroClearer : public QObject {
public:
    ZeroClearer(QLineEdit *box, QString zero) : QObject(box), m_box(box), m_zero(std::move(zero)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::KeyPress && m_box->text() == m_zero
            && !static_cast<QKeyEvent *>(event)->text().isEmpty())
            m_box->clear();
        return false;
    }

private:
    QLineEdit *m_box;
    QString m_zero;
};

} // namespace

QWidget *SetupScreen::buildOptionsTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    m_subTabs = new QTabWidget(page);
    m_subTabs->setObjectName(QStringLiteral("tabSub"));
    m_subTabs->addTab(buildPrintingTab(), QStringLiteral("Printing Options"));
    m_subTabs->addTab(buildTaxTab(), QStringLiteral("Taxation"));
    m_subTabs->addTab(buildPhoneTab(), QStringLiteral("Phone and Modem"));
    layout->addWidget(m_subTabs, 1);
    auto *next = pictureButton(page, QStringLiteral("Image1_1"), style()->standardIcon(QStyle::SP_ArrowRight), 24,
                               QStringLiteral("Next Option Tab"));
    connect(next, &QToolButton::clicked, this,
            [this] { m_subTabs->setCurrentIndex((m_subTabs->currentIndex() + 1) % 3); });
    layout->addWidget(next, 0, Qt::AlignLeft);
    return page;
}

QWidget *SetupScreen::buildPrintingTab()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->setColumnStretch(3, 1);
    int row = 0;

    m_color = new QCheckBox(QStringLiteral("Print"), page);
    m_color->setObjectName(QStringLiteral("ckColor"));
    m_color->setToolTip(QStringLiteral("Headings, totals etc are printed in highlighting colors"));
    connect(m_color, &QCheckBox::toggled, this, [this](bool on) { edit([&](BusinessValues &v) { v.printInColor = on; }); });
    grid->addWidget(new QLabel(QStringLiteral("Color"), page), row, 0, Qt::AlignRight);
    grid->addWidget(m_color, row++, 1);

    m_copies = new QComboBox(page);
    m_copies->setObjectName(QStringLiteral("cboCopies"));
    for (int i = 1; i <= 9; ++i)
        m_copies->addItem(QString::number(i));
    connect(m_copies, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        bool ok = false;
        const int copies = text.toInt(&ok);
        if (ok && copies >= 1 && copies <= 255)
            edit([&](BusinessValues &v) { v.printCopies = std::uint8_t(copies); });
    });
    auto *copiesLabel = new QLabel(QStringLiteral("Print Copies"), page);
    copiesLabel->setBuddy(m_copies);
    grid->addWidget(copiesLabel, row, 0, Qt::AlignRight);
    grid->addWidget(m_copies, row++, 1);

    m_font = new QLabel(page);
    m_font->setObjectName(QStringLiteral("lblFont"));
    m_font->setToolTip(QStringLiteral("Font shows Here"));
    m_font->setFrameShape(QFrame::StyledPanel);
    m_font->setMinimumWidth(180);
    grid->addWidget(new QLabel(QStringLiteral("Print Font"), page), row, 0, Qt::AlignRight);
    grid->addWidget(m_font, row, 1);
    auto change = [&](int index) {
        auto *b = new QPushButton(QStringLiteral("Change"), page);
        b->setObjectName(QStringLiteral("cmdChange_%1").arg(index));
        return b;
    };
    QPushButton *fontChange = change(2);
    connect(fontChange, &QPushButton::clicked, this, &SetupScreen::chooseFont);
    grid->addWidget(fontChange, row++, 2);

    m_textSample = new QLineEdit(page);
    m_textSample->setObjectName(QStringLiteral("txtData"));
    m_textSample->setReadOnly(true);
    m_textSample->setToolTip(QStringLiteral("Text Color"));
    m_textSample->setAccessibleName(QStringLiteral("Text Color"));
    grid->addWidget(new QLabel(QStringLiteral("Text Color"), page), row, 0, Qt::AlignRight);
    grid->addWidget(m_textSample, row, 1);
    QPushButton *textChange = change(1);
    connect(textChange, &QPushButton::clicked, this, [this] { chooseColour(1); });
    grid->addWidget(textChange, row++, 2);

    m_borderSample = new QLineEdit(page);
    m_borderSample->setObjectName(QStringLiteral("txtBorders"));
    m_borderSample->setReadOnly(true);
    m_borderSample->setToolTip(QStringLiteral("Border / Frame Color"));
    m_borderSample->setAccessibleName(QStringLiteral("Border / Frame Color"));
    grid->addWidget(new QLabel(QStringLiteral("Border / Frame Color"), page), row, 0, Qt::AlignRight);
    grid->addWidget(m_borderSample, row, 1);
    QPushButton *borderChange = change(0);
    connect(borderChange, &QPushButton::clicked, this, [this] { chooseColour(0); });
    grid->addWidget(borderChange, row++, 2);

    m_plain = new QRadioButton(QStringLiteral("Use Plain Paper"), page);
    m_plain->setObjectName(QStringLiteral("optPlain"));
    m_plain->setToolTip(QStringLiteral("No Remittance form is printed"));
    m_remit = new QRadioButton(QStringLiteral("Use Remittance Form"), page);
    m_remit->setObjectName(QStringLiteral("optReturn"));
    m_remit->setToolTip(QStringLiteral("Invoices and Statements can be printed with a perfed Remit section"));
    connect(m_plain, &QRadioButton::toggled, this, [this](bool plain) {
        edit([&](BusinessValues &v) {
            v.usePlainPaper = plain;
            v.useRemittanceForm = !plain;
        });
    });
    grid->addWidget(m_plain, row++, 1, 1, 2);
    grid->addWidget(m_remit, row++, 1, 1, 2);

    m_sequential = new QCheckBox(page);
    m_sequential->setObjectName(QStringLiteral("ckManualInvoiceNo"));
    m_sequential->setToolTip(QStringLiteral("Unchecked, ProgramUses Julian Date + Sequential No. - Checked, Sequential No only"));
    m_sequential->setAccessibleName(QStringLiteral("Invoice Numbering Scheme"));
    connect(m_sequential, &QCheckBox::toggled, this,
            [this](bool on) { edit([&](BusinessValues &v) { v.sequentialInvoiceNumbers = on ? 1 : 0; }); });
    grid->addWidget(new QLabel(QStringLiteral("Invoice Numbering Scheme"), page), row, 0, Qt::AlignRight);
    grid->addWidget(m_sequential, row++, 1);
    grid->addWidget(note(QStringLiteral("Checked =Sequential Number (10001)"), page), row++, 1, 1, 3);
    grid->addWidget(note(QStringLiteral("Unchecked -Julian Date + Integer (110-1)"), page), row++, 1, 1, 3);
    grid->addWidget(note(QStringLiteral("Increments with each invoice"), page), row++, 1, 1, 3);
    grid->setRowStretch(row, 1);
    return page;
}

void SetupScreen::fillPrintColors()
{
    const BusinessValues v = m_ctx.settings.values();
    m_color->setChecked(v.printInColor);
    const QString copies = QString::number(v.printCopies);
    if (m_copies->findText(copies) < 0)
        m_copies->addItem(copies);
    m_copies->setCurrentText(copies);
    m_font->setText(v.printFontName);
    paintSample(m_textSample, v.printTextColor);
    paintSample(m_borderSample, v.printBorderColor);
}

void SetupScreen::chooseColour(int which)
{
    const BusinessValues &v = m_ctx.settings.values();
    const std::uint32_t current = which == 0 ? v.printBorderColor : v.printTextColor;
    const std::optional<QColor> chosen = m_choosers.colour(setup::colorFromStored(current), this);
    if (!chosen)
        return;
    const std::uint32_t stored = setup::storedFromColor(*chosen);
    edit([&](BusinessValues &next) {
        if (which == 0) {
            next.printBorderColor = stored;
            next.lineColor = stored;
        } else {
            next.printTextColor = stored;
        }
    });
    paintSample(which == 0 ? m_borderSample : m_textSample, stored);
}

void SetupScreen::chooseFont()
{
    const std::optional<QString> chosen = m_choosers.font(m_font->text(), this);
    if (!chosen || chosen->trimmed().isEmpty())
        return;
    m_font->setText(*chosen);
    edit([&](BusinessValues &v) { v.printFontName = *chosen; });
}

QWidget *SetupScreen::buildTaxTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *taxes = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto *group = new QGroupBox(i == 0 ? QStringLiteral("Primary Tax") : QStringLiteral("Secondary Tax"), page);
        auto *form = new QGridLayout(group);
        m_heading[i] = new QComboBox(group);
        m_heading[i]->setObjectName(QStringLiteral("cboTaxHeading%1").arg(i + 1));
        m_heading[i]->setEditable(true);
        m_heading[i]->addItems(taxHeadingChoices());
        m_rate[i] = new QComboBox(group);
        m_rate[i]->setObjectName(QStringLiteral("cboRate%1").arg(i + 1));
        m_rate[i]->setEditable(true);
        m_rate[i]->addItems(taxRateChoices());
        auto *headingLabel = new QLabel(QStringLiteral("Tax Heading"), group);
        headingLabel->setBuddy(m_heading[i]);
        auto *rateLabel = new QLabel(QStringLiteral("Tax Rate (%)"), group);
        rateLabel->setBuddy(m_rate[i]);
        form->addWidget(headingLabel, 0, 0);
        form->addWidget(m_heading[i], 0, 1);
        form->addWidget(rateLabel, 1, 0);
        form->addWidget(m_rate[i], 1, 1);
        form->setColumnStretch(1, 1);
        // A typed heading or rate is kept exactly as typed; a rate that is no
        // number counts as 0 when an invoice is taxed.
        connect(m_heading[i], &QComboBox::currentTextChanged, this, [this, i](const QString &text) {
            edit([&](BusinessValues &v) { (i == 0 ? v.taxHeading1 : v.taxHeading2) = text; });
        });
        connect(m_rate[i], &QComboBox::currentTextChanged, this, [this, i](const QString &text) {
            edit([&](BusinessValues &v) { (i == 0 ? v.taxRate1 : v.taxRate2) = text; });
        });
        taxes->addWidget(group);
    }
    layout->addLayout(taxes);

    auto check = [&](const char *name, const char *caption, const char *tip, auto apply) {
        auto *box = new QCheckBox(QString::fromLatin1(caption), page);
        box->setObjectName(QString::fromLatin1(name));
        if (tip)
            box->setToolTip(QString::fromLatin1(tip));
        connect(box, &QCheckBox::toggled, this, [this, apply](bool on) {
            edit([&](BusinessValues &v) { apply(v, on ? 1 : 0); });
        });
        layout->addWidget(box);
        return box;
    };
    m_apply1st = check("ckApply1stTax", "Apply 1st Tax to Invoices", nullptr, [](BusinessValues &v, int on) { v.apply1stTax = on; });
    m_apply2nd = check("ckApply2ndTax", "Apply 2nd Tax to Invoices", nullptr, [](BusinessValues &v, int on) { v.apply2ndTax = on; });
    m_taxServices = check("ckServices", "Tax Service and Sales Items", nullptr,
                          [](BusinessValues &v, int on) { v.taxServicesAndItems = on; });
    m_graduated = check("ckApplyGraduated", "Apply Graduated Tax Scheme", "Tax differs based on volume",
                        [](BusinessValues &v, int on) { v.applyGraduatedTax = on; });

    auto *open = new QPushButton(QStringLiteral("View/Create a Graduated Tax Scheme"), page);
    open->setObjectName(QStringLiteral("cmdGraduatedTax_0"));
    layout->addWidget(open, 0, Qt::AlignLeft);

    m_graduatedFrame = new QGroupBox(QStringLiteral("Graduated Tax Levels"), page);
    m_graduatedFrame->setObjectName(QStringLiteral("fraGraduated"));
    auto *g = new QGridLayout(m_graduatedFrame);
    const QString zero = Money().toCurrencyText(m_ctx.locale);
    for (int i = 0; i < 2; ++i) {
        m_graduatedBox[i] = new QLineEdit(m_graduatedFrame);
        m_graduatedBox[i]->setObjectName(QStringLiteral("txtGradulated_%1").arg(i));
        m_graduatedBox[i]->installEventFilter(new ZeroClearer(m_graduatedBox[i], zero));
    }
    m_graduatedBox[0]->setAccessibleName(QStringLiteral("Graduated limit"));
    m_graduatedBox[1]->setAccessibleName(QStringLiteral("Surcharge"));
    g->addWidget(note(QStringLiteral("Apply Primary Tax Rate to all Sales up to  a Total of:"), m_graduatedFrame), 0, 0);
    g->addWidget(m_graduatedBox[0], 0, 1);
    g->addWidget(note(QStringLiteral("when Primary Amount is exceeded"), m_graduatedFrame), 1, 0);
    g->addWidget(note(QStringLiteral("Apply Secondary Tax Rate when exceeded"), m_graduatedFrame), 2, 0);
    g->addWidget(note(QStringLiteral("Apply a Surcharge of:"), m_graduatedFrame), 3, 0);
    g->addWidget(m_graduatedBox[1], 3, 1);
    auto *save = new QPushButton(QStringLiteral("Save Graduated Tax Scheme and Close Window"), m_graduatedFrame);
    save->setObjectName(QStringLiteral("cmdGraduatedTax_1"));
    auto *redo = new QPushButton(QStringLiteral("Clear/Redo"), m_graduatedFrame);
    redo->setObjectName(QStringLiteral("cmdGraduatedTax_2"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(redo);
    buttons->addStretch();
    g->addLayout(buttons, 4, 0, 1, 2);
    m_graduatedFrame->hide();
    layout->addWidget(m_graduatedFrame);
    layout->addStretch();

    connect(open, &QPushButton::clicked, this, [this] {
        m_graduatedFrame->show();
        m_graduatedBox[0]->setFocus();
    });
    connect(save, &QPushButton::clicked, this, &SetupScreen::closeGraduated);
    connect(redo, &QPushButton::clicked, this, [this, zero] {
        m_graduatedBox[0]->setText(zero);
        m_graduatedBox[1]->setText(zero);
        m_graduatedBox[0]->setFocus();
    });
    return page;
}

void SetupScreen::closeGraduated()
{
    // The live values change only once both amounts are numbers, so a
    // graduated amount that is not a number never leaves its box.
    QString amounts[2];
    for (int i = 0; i < 2; ++i) {
        const std::optional<QString> amount = setup::graduatedAmount(m_graduatedBox[i]->text(), m_ctx.locale);
        if (!amount) {
            m_ctx.prompt.beep();
            m_graduatedBox[i]->setText(Money().toCurrencyText(m_ctx.locale));
            m_graduatedBox[i]->setFocus();
            return;
        }
        amounts[i] = *amount;
        m_graduatedBox[i]->setText(*amount);
    }
    edit([&](BusinessValues &v) {
        v.graduatedLimit = amounts[0];
        v.graduatedSurcharge = amounts[1];
    });
    if (amounts[0] == Money().toCurrencyText(m_ctx.locale))
        m_graduated->setChecked(false);
    m_graduatedFrame->hide();
}

QWidget *SetupScreen::buildPhoneTab()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->setColumnStretch(2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Modem is connected to"), page), 0, 0, 1, 3);
    m_modemPort = new QLineEdit(page);
    m_modemPort->setObjectName(QStringLiteral("txtModemPort"));
    m_modemPort->setValidator(new QIntValidator(0, 16, m_modemPort));
    m_modemPort->setMaxLength(2);
    m_modemPort->setFixedWidth(60);
    auto *portLabel = new QLabel(QStringLiteral("COM Port #"), page);
    portLabel->setBuddy(m_modemPort);
    connect(m_modemPort, &QLineEdit::textChanged, this, [this](const QString &text) {
        bool ok = false;
        const int port = text.toInt(&ok);
        if (ok && port >= 0 && port <= 16)
            edit([&](BusinessValues &v) { v.modemPort = std::int16_t(port); });
    });
    grid->addWidget(portLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(m_modemPort, 1, 1);

    m_daisyChain = new QCheckBox(QStringLiteral("A Phone is Daisy-Chained  downstream from the Computer"), page);
    m_daisyChain->setObjectName(QStringLiteral("ckPhone"));
    m_daisyChain->setToolTip(QStringLiteral("Check if a phone is Daisy-chained to your computer"));
    connect(m_daisyChain, &QCheckBox::toggled, this,
            [this](bool on) { edit([&](BusinessValues &v) { v.phoneDaisyChained = on; }); });
    grid->addWidget(m_daisyChain, 2, 0, 1, 3);
    grid->addWidget(note(QStringLiteral("(Used to auto-dial Customers, Technicians, etc)"), page), 3, 0, 1, 3);

    m_callerId = new QCheckBox(QStringLiteral("Using Caller ID"), page);
    m_callerId->setObjectName(QStringLiteral("ckCallerID"));
    m_callerIdNote = note(QStringLiteral("Modem Supports Caller ID  Check with your Phone Co for support for this feature"), page);
    m_callerIdNote->setObjectName(QStringLiteral("lblCallid"));
    connect(m_callerId, &QCheckBox::toggled, this, [this](bool on) {
        m_callerIdNote->setVisible(on);
        edit([&](BusinessValues &v) { v.callerIdEnabled = on; });
    });
    grid->addWidget(m_callerId, 4, 0, 1, 3);
    grid->addWidget(m_callerIdNote, 5, 0, 1, 3);
    grid->setRowStretch(6, 1);
    return page;
}

} // namespace ui
