#include "ui/setup/OptionTabs.h"
#include "ui/setup/PhoneTab.h"

#include "base/Money.h"
#include "setup/SetupRules.h"
#include "ui/widgets/KeyFilter.h"
#include "ui/widgets/Note.h"
#include "ui/widgets/PictureButton.h"

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

using namespace base;
using namespace setup;

namespace ui {

namespace {

void paintSample(QLineEdit *sample, std::uint32_t stored)
{
    const QColor colour = setup::colorFromStored(stored);
    QPalette p = sample->palette();
    p.setColor(QPalette::Base, colour);
    sample->setPalette(p);
    sample->setAutoFillBackground(true);
    // A screen reader hears the colour the sample shows.
    sample->setAccessibleName(sample->toolTip() + QStringLiteral(", ") + colour.name());
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

QLineEdit *colourSample(QWidget *parent, const char *name, const QString &caption)
{
    auto *sample = new QLineEdit(parent);
    sample->setObjectName(QString::fromLatin1(name));
    sample->setReadOnly(true);
    sample->setToolTip(caption);
    sample->setAccessibleName(caption);
    return sample;
}

} // namespace

// ---- Printing Options -------------------------------------------------------

PrintingTab::PrintingTab(context::AppContext &ctx, const SetupChoosers &choosers, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_choosers(choosers)
{
    auto *grid = new QGridLayout(this);
    grid->setColumnStretch(3, 1);
    int row = buildColours(grid, 0);
    row = buildPaperAndNumbering(grid, row);
    grid->setRowStretch(row, 1);
}

int PrintingTab::buildColours(QGridLayout *grid, int row)
{
    m_color = new QCheckBox(QStringLiteral("Print"), this);
    m_color->setObjectName(QStringLiteral("ckColor"));
    m_color->setToolTip(QStringLiteral("Headings, totals etc are printed in highlighting colors"));
    connect(m_color, &QCheckBox::toggled, this,
            [this](bool on) { m_ctx.settings.edit([&](BusinessValues &v) { v.printInColor = on; }); });
    grid->addWidget(new QLabel(QStringLiteral("Color"), this), row, 0, Qt::AlignRight);
    grid->addWidget(m_color, row++, 1);

    m_copies = new QComboBox(this);
    m_copies->setObjectName(QStringLiteral("cboCopies"));
    for (int i = 1; i <= 9; ++i)
        m_copies->addItem(QString::number(i));
    connect(m_copies, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        bool ok = false;
        const int copies = text.toInt(&ok);
        if (ok && copies >= 1 && copies <= 255)
            m_ctx.settings.edit([&](BusinessValues &v) { v.printCopies = std::uint8_t(copies); });
    });
    auto *copiesLabel = new QLabel(QStringLiteral("Print Copies"), this);
    copiesLabel->setBuddy(m_copies);
    grid->addWidget(copiesLabel, row, 0, Qt::AlignRight);
    grid->addWidget(m_copies, row++, 1);

    m_font = new QLabel(this);
    m_font->setObjectName(QStringLiteral("lblFont"));
    m_font->setToolTip(QStringLiteral("Font shows Here"));
    m_font->setFrameShape(QFrame::StyledPanel);
    m_font->setMinimumWidth(180);
    m_textSample = colourSample(this, "txtData", QStringLiteral("Text Color"));
    m_borderSample = colourSample(this, "txtBorders", QStringLiteral("Border / Frame Color"));
    // Three "Change" buttons, each named for what it changes.
    auto change = [&](int index, QWidget *shows, const QString &what, auto onClick) {
        auto *b = new QPushButton(QStringLiteral("Change"), this);
        b->setObjectName(QStringLiteral("cmdChange_%1").arg(index));
        b->setAccessibleName(QStringLiteral("Change ") + what);
        connect(b, &QPushButton::clicked, this, onClick);
        grid->addWidget(new QLabel(what, this), row, 0, Qt::AlignRight);
        grid->addWidget(shows, row, 1);
        grid->addWidget(b, row++, 2);
    };
    change(2, m_font, QStringLiteral("Print Font"), [this] { chooseFont(); });
    change(1, m_textSample, QStringLiteral("Text Color"), [this] { chooseColour(1); });
    change(0, m_borderSample, QStringLiteral("Border / Frame Color"), [this] { chooseColour(0); });
    return row;
}

int PrintingTab::buildPaperAndNumbering(QGridLayout *grid, int row)
{
    m_plain = new QRadioButton(QStringLiteral("Use Plain Paper"), this);
    m_plain->setObjectName(QStringLiteral("optPlain"));
    m_plain->setToolTip(QStringLiteral("No Remittance form is printed"));
    m_remit = new QRadioButton(QStringLiteral("Use Remittance Form"), this);
    m_remit->setObjectName(QStringLiteral("optReturn"));
    m_remit->setToolTip(QStringLiteral("Invoices and Statements can be printed with a perfed Remit section"));
    connect(m_plain, &QRadioButton::toggled, this, [this](bool plain) {
        m_ctx.settings.edit([&](BusinessValues &v) {
            v.usePlainPaper = plain;
            v.useRemittanceForm = !plain;
        });
    });
    grid->addWidget(m_plain, row++, 1, 1, 2);
    grid->addWidget(m_remit, row++, 1, 1, 2);

    m_sequential = new QCheckBox(this);
    m_sequential->setObjectName(QStringLiteral("ckManualInvoiceNo"));
    m_sequential->setToolTip(QStringLiteral("Unchecked, ProgramUses Julian Date + Sequential No. - Checked, Sequential No only"));
    m_sequential->setAccessibleName(QStringLiteral("Invoice Numbering Scheme"));
    connect(m_sequential, &QCheckBox::toggled, this, [this](bool on) {
        m_ctx.settings.edit([&](BusinessValues &v) { v.sequentialInvoiceNumbers = on ? 1 : 0; });
    });
    grid->addWidget(new QLabel(QStringLiteral("Invoice Numbering Scheme"), this), row, 0, Qt::AlignRight);
    grid->addWidget(m_sequential, row++, 1);
    grid->addWidget(note(QStringLiteral("Checked =Sequential Number (10001)"), this), row++, 1, 1, 3);
    grid->addWidget(note(QStringLiteral("Unchecked -Julian Date + Integer (110-1)"), this), row++, 1, 1, 3);
    grid->addWidget(note(QStringLiteral("Increments with each invoice"), this), row++, 1, 1, 3);
    m_previousBalance = new QCheckBox(QStringLiteral("Show the previous balance on invoices"), this);
    m_previousBalance->setObjectName(QStringLiteral("ckPreviousBalance"));
    m_previousBalance->setToolTip(QStringLiteral("The totals show the balance before the invoice and the amount due; "
                                                 "nothing posted changes"));
    connect(m_previousBalance, &QCheckBox::toggled, this, [this](bool on) {
        m_ctx.settings.edit([&](BusinessValues &v) { v.previousBalanceOnInvoices = on; });
    });
    grid->addWidget(m_previousBalance, row++, 1, 1, 3);
    return row;
}

void PrintingTab::fillColors()
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

void PrintingTab::fill()
{
    const BusinessValues v = m_ctx.settings.values(); // a copy: filling edits the live values
    fillColors();
    m_plain->setChecked(v.usePlainPaper);
    m_remit->setChecked(!v.usePlainPaper);
    m_sequential->setChecked(v.sequentialInvoiceNumbers == 1);
    m_previousBalance->setChecked(v.previousBalanceOnInvoices);
}

void PrintingTab::chooseColour(int which)
{
    const BusinessValues &v = m_ctx.settings.values();
    const std::uint32_t current = which == 0 ? v.printBorderColor : v.printTextColor;
    const std::optional<QColor> chosen = m_choosers.colour(setup::colorFromStored(current), this);
    if (!chosen)
        return;
    const std::uint32_t stored = setup::storedFromColor(*chosen);
    m_ctx.settings.edit([&](BusinessValues &next) {
        if (which == 0) {
            next.printBorderColor = stored;
            next.lineColor = stored;
        } else {
            next.printTextColor = stored;
        }
    });
    paintSample(which == 0 ? m_borderSample : m_textSample, stored);
}

void PrintingTab::chooseFont()
{
    const std::optional<QString> chosen = m_choosers.font(m_font->text(), this);
    if (!chosen || chosen->trimmed().isEmpty())
        return;
    m_font->setText(*chosen);
    m_ctx.settings.edit([&](BusinessValues &v) { v.printFontName = *chosen; });
}

// ---- Taxation ------------------------------------------------------------

TaxTab::TaxTab(context::AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    auto *layout = new QVBoxLayout(this);
    buildTaxes(layout);
    buildChecks(layout);
    auto *open = new QPushButton(QStringLiteral("View/Create a Graduated Tax Scheme"), this);
    open->setObjectName(QStringLiteral("cmdGraduatedTax_0"));
    layout->addWidget(open, 0, Qt::AlignLeft);
    m_graduatedFrame = buildGraduatedFrame();
    m_graduatedFrame->hide();
    layout->addWidget(m_graduatedFrame);
    layout->addStretch();
    connect(open, &QPushButton::clicked, this, [this] {
        m_graduatedFrame->show();
        m_graduatedBox[0]->setFocus();
    });
}

void TaxTab::buildTaxes(QVBoxLayout *layout)
{
    auto *taxes = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto *group = new QGroupBox(i == 0 ? QStringLiteral("Primary Tax") : QStringLiteral("Secondary Tax"), this);
        auto *form = new QGridLayout(group);
        m_heading[i] = new QComboBox(group);
        m_heading[i]->setObjectName(QStringLiteral("cboTaxHeading%1").arg(i + 1));
        m_heading[i]->setEditable(true);
        m_heading[i]->addItems(taxHeadingChoices());
        m_rate[i] = new QComboBox(group);
        m_rate[i]->setObjectName(QStringLiteral("cboRate%1").arg(i + 1));
        m_rate[i]->setEditable(true);
        m_rate[i]->addItems(taxRateChoices());
        KeyFilter::refuseQuotes(m_heading[i]->lineEdit(), m_ctx.prompt);
        KeyFilter::refuseQuotes(m_rate[i]->lineEdit(), m_ctx.prompt);
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
            m_ctx.settings.edit([&](BusinessValues &v) { (i == 0 ? v.taxHeading1 : v.taxHeading2) = text; });
        });
        connect(m_rate[i], &QComboBox::currentTextChanged, this, [this, i](const QString &text) {
            m_ctx.settings.edit([&](BusinessValues &v) { (i == 0 ? v.taxRate1 : v.taxRate2) = text; });
        });
        taxes->addWidget(group);
    }
    layout->addLayout(taxes);
}

void TaxTab::buildChecks(QVBoxLayout *layout)
{
    auto check = [&](const char *name, const char *caption, const char *tip, auto apply) {
        auto *box = new QCheckBox(QString::fromLatin1(caption), this);
        box->setObjectName(QString::fromLatin1(name));
        if (tip)
            box->setToolTip(QString::fromLatin1(tip));
        connect(box, &QCheckBox::toggled, this, [this, apply](bool on) {
            m_ctx.settings.edit([&](BusinessValues &v) { apply(v, on ? 1 : 0); });
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
}

QGroupBox *TaxTab::buildGraduatedFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("Graduated Tax Levels"), this);
    frame->setObjectName(QStringLiteral("fraGraduated"));
    auto *g = new QGridLayout(frame);
    const QString zero = Money().toCurrencyText(m_ctx.locale);
    for (int i = 0; i < 2; ++i) {
        m_graduatedBox[i] = new QLineEdit(frame);
        m_graduatedBox[i]->setObjectName(QStringLiteral("txtGradulated_%1").arg(i));
        m_graduatedBox[i]->installEventFilter(new ZeroClearer(m_graduatedBox[i], zero));
    }
    m_graduatedBox[0]->setAccessibleName(QStringLiteral("Graduated limit"));
    m_graduatedBox[1]->setAccessibleName(QStringLiteral("Surcharge"));
    g->addWidget(note(QStringLiteral("Apply Primary Tax Rate to all Sales up to  a Total of:"), frame), 0, 0);
    g->addWidget(m_graduatedBox[0], 0, 1);
    g->addWidget(note(QStringLiteral("when Primary Amount is exceeded"), frame), 1, 0);
    g->addWidget(note(QStringLiteral("Apply Secondary Tax Rate when exceeded"), frame), 2, 0);
    g->addWidget(note(QStringLiteral("Apply a Surcharge of:"), frame), 3, 0);
    g->addWidget(m_graduatedBox[1], 3, 1);
    auto *save = new QPushButton(QStringLiteral("Save Graduated Tax Scheme and Close Window"), frame);
    save->setObjectName(QStringLiteral("cmdGraduatedTax_1"));
    auto *redo = new QPushButton(QStringLiteral("Clear/Redo"), frame);
    redo->setObjectName(QStringLiteral("cmdGraduatedTax_2"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(redo);
    buttons->addStretch();
    g->addLayout(buttons, 4, 0, 1, 2);
    connect(save, &QPushButton::clicked, this, &TaxTab::closeGraduated);
    connect(redo, &QPushButton::clicked, this, [this, zero] {
        m_graduatedBox[0]->setText(zero);
        m_graduatedBox[1]->setText(zero);
        m_graduatedBox[0]->setFocus();
    });
    return frame;
}

void TaxTab::fill()
{
    const BusinessValues v = m_ctx.settings.values(); // a copy: filling edits the live values
    m_heading[0]->setCurrentText(v.taxHeading1);
    m_heading[1]->setCurrentText(v.taxHeading2);
    m_rate[0]->setCurrentText(v.taxRate1);
    m_rate[1]->setCurrentText(v.taxRate2);
    m_apply1st->setChecked(v.apply1stTax == 1);
    m_apply2nd->setChecked(v.apply2ndTax == 1);
    m_taxServices->setChecked(v.taxServicesAndItems == 1);
    m_graduated->setChecked(v.applyGraduatedTax == 1);
    m_graduatedBox[0]->setText(v.graduatedLimit);
    m_graduatedBox[1]->setText(v.graduatedSurcharge);
}

void TaxTab::closeGraduated()
{
    // The live values change only once both amounts are numbers, so a
    // graduated amount that is not a number never leaves its box.
    QString amounts[2];
    for (int i = 0; i < 2; ++i) {
        if (const std::optional<QString> problem = setup::graduatedProblem(m_graduatedBox[i]->text(), m_ctx.locale)) {
            m_ctx.prompt.message(*problem, setup::kGraduatedTitle);
            m_graduatedBox[i]->setFocus();
            return;
        }
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
    m_ctx.settings.edit([&](BusinessValues &v) {
        v.graduatedLimit = amounts[0];
        v.graduatedSurcharge = amounts[1];
    });
    if (amounts[0] == Money().toCurrencyText(m_ctx.locale))
        m_graduated->setChecked(false);
    m_graduatedFrame->hide();
}

// ---- The Options tab ---------------------------------------------------------

OptionsTab::OptionsTab(context::AppContext &ctx, const SetupChoosers &choosers, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    m_subTabs = new QTabWidget(this);
    m_subTabs->setObjectName(QStringLiteral("tabSub"));
    m_printing = new PrintingTab(ctx, choosers, m_subTabs);
    m_tax = new TaxTab(ctx, m_subTabs);
    m_phone = new PhoneTab(ctx, m_subTabs);
    m_subTabs->addTab(m_printing, QStringLiteral("Printing Options"));
    m_subTabs->addTab(m_tax, QStringLiteral("Taxation"));
    m_subTabs->addTab(m_phone, QStringLiteral("Phone and Modem"));
    layout->addWidget(m_subTabs, 1);
    auto *next = pictureButton(this, QStringLiteral("Image1_1"), style()->standardIcon(QStyle::SP_ArrowRight), 24,
                               QStringLiteral("Next Option Tab"));
    connect(next, &QToolButton::clicked, this,
            [this] { m_subTabs->setCurrentIndex((m_subTabs->currentIndex() + 1) % 3); });
    layout->addWidget(next, 0, Qt::AlignLeft);
}

void OptionsTab::fill()
{
    m_printing->fill();
    m_tax->fill();
    m_phone->fill();
}

} // namespace ui
