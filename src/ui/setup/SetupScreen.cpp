#include "ui/setup/SetupScreen.h"

#include "setup/SettingsFiles.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/PictureButton.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace store;
using namespace context;
using namespace setup;

namespace ui {

namespace {

const char *const kBusinessLabels[9] = {"Name",        "Address 1", "Address 2", "City", "State",
                                        "Postal Code", "Telephone", "Aux 1",     "Aux 2"};
const char *const kBusinessTips[9] = {
    "Your Company Name Here",
    "Your Company Street Address here",
    "A Secondary Address can be entered here",
    "The City in which your Company is Located",
    "The State in which your Company is Located",
    "Your Company's Zip Code Here",
    "Your Company Telco No Here",
    "Your Company FAX No Here",
    "Enter your FEIN or VAT if desired",
};
// How much a business box takes when typing; a longer value read from the
// file is never cut (see setBoxText).
constexpr int kBusinessBoxLength = 80;
constexpr int kTwipsPerPixel = 15;

QString *businessField(BusinessValues &v, int i)
{
    QString *fields[9] = {&v.businessName,  &v.businessAddress1, &v.businessAddress2,
                          &v.businessCity,  &v.businessState,    &v.businessZip,
                          &v.businessPhone, &v.businessFax,      &v.businessTaxId};
    return fields[i];
}

// A box's length limit applies to typing; a text already there or loaded
// from the file is kept whole, so nothing is lost by a reload or a change of
// address style.
void setBoxLimit(QLineEdit *box, int limit)
{
    box->setMaxLength(std::max(limit, int(box->text().size())));
}

void setBoxText(QLineEdit *box, const QString &text, int limit)
{
    box->setMaxLength(std::max(limit, int(text.size())));
    if (box->text() != text)
        box->setText(text);
}

} // namespace

SetupChoosers SetupChoosers::system()
{
    SetupChoosers c;
    c.colour = [](const QColor &current, QWidget *parent) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, parent);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    c.font = [](const QString &current, QWidget *parent) -> std::optional<QString> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, QFont(current), parent, QStringLiteral("Print Font"));
        return ok ? std::optional<QString>(chosen.family()) : std::nullopt;
    };
    c.pictureFile = [](QWidget *parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Find your Logo"), QString(),
                                            QStringLiteral("Pictures (*.bmp *.BMP *.ico *.ICO *.jpg *.JPG *.jpeg "
                                                           "*.png *.PNG *.gif);;All (*)"));
    };
    return c;
}

SetupScreen::SetupScreen(AppContext &ctx, Navigator &navigator, SetupChoosers choosers, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_choosers(std::move(choosers))
{
    setObjectName(QStringLiteral("frmSetup"));
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabSetup"));
    m_tabs->addTab(buildBusinessTab(), QStringLiteral("Business Info"));
    m_tabs->addTab(buildOptionsTab(), QStringLiteral("Options"));
    m_tabs->addTab(buildLogoTab(), QStringLiteral("Logo"));
    m_tabs->addTab(buildHelpTab(), QStringLiteral("Help"));
    layout->addWidget(m_tabs, 1);

    auto *bottom = new QHBoxLayout;
    auto *next = pictureButton(this, QStringLiteral("Image1_0"), style()->standardIcon(QStyle::SP_ArrowRight), 32,
                               QStringLiteral("Next Tab"));
    connect(next, &QToolButton::clicked, this, [this] { m_tabs->setCurrentIndex((m_tabs->currentIndex() + 1) % 4); });
    bottom->addWidget(next);
    bottom->addStretch();
    auto *quit = new QPushButton(QStringLiteral("Save Changes / Return to &Menu"), this);
    quit->setObjectName(QStringLiteral("cmdQuit"));
    quit->setToolTip(QStringLiteral("Returns to Main Menu"));
    connect(quit, &QPushButton::clicked, this, [this] { saveAndLeave(); });
    bottom->addWidget(quit);
    layout->addLayout(bottom);

    // The settings were loaded at start-up; the screen shows them, and from
    // here on its controls are the live values.
    fillFromSettings();
}

QString SetupScreen::caption() const
{
    return QStringLiteral("Brenvoy Setup");
}

QWidget *SetupScreen::buildBusinessTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *intro = new QLabel(QStringLiteral("Enter Information about your Business that will appear on Invoices and Statements"), page);
    intro->setWordWrap(true);
    QFont bold = intro->font();
    bold.setBold(true);
    intro->setFont(bold);
    layout->addWidget(intro);

    auto *grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    for (int i = 0; i < 9; ++i) {
        auto *label = new QLabel(QString::fromLatin1(kBusinessLabels[i]), page);
        label->setObjectName(QStringLiteral("lblAddress_%1").arg(i));
        auto *box = new QLineEdit(page);
        box->setObjectName(QStringLiteral("txtBusiness_%1").arg(i));
        box->setToolTip(QString::fromLatin1(kBusinessTips[i]));
        box->setMaxLength(kBusinessBoxLength);
        if (i != 3 && i != 4)
            box->setMinimumWidth(5385 / kTwipsPerPixel); // boxes 3 and 4 take the style's widths
        label->setBuddy(box);
        connect(box, &QLineEdit::textChanged, this, [this, i](const QString &text) {
            edit([&](BusinessValues &v) { *businessField(v, i) = text; });
        });
        grid->addWidget(label, i, 0, Qt::AlignRight);
        grid->addWidget(box, i, 1);
        m_business[size_t(i)] = box;
        m_businessLabels[size_t(i)] = label;
    }
    m_postalNote = new QLabel(QStringLiteral("Postal Code is Mandatory"), page);
    m_postalNote->setObjectName(QStringLiteral("lblPostal"));
    m_postalNote->setStyleSheet(QStringLiteral("color: #a00000;"));
    grid->addWidget(m_postalNote, 5, 2);
    layout->addLayout(grid);

    auto *aux = new QLabel(QStringLiteral("Use Aux Fields to enter additional Information about your Company that you wish Printed on Documents"), page);
    aux->setWordWrap(true);
    layout->addWidget(aux);
    layout->addWidget(new QLabel(QStringLiteral("Enter the Heading followed by the Information"), page));
    layout->addWidget(new QLabel(QStringLiteral(" EG: Fax - 999-123-5555"), page));

    auto *row = new QHBoxLayout;
    m_addressStyle = new QPushButton(page);
    m_addressStyle->setObjectName(QStringLiteral("cmdAddress"));
    connect(m_addressStyle, &QPushButton::clicked, this, &SetupScreen::toggleAddressStyle);
    row->addWidget(m_addressStyle);
    row->addStretch();
    auto picture = [&](const char *name, QStyle::StandardPixmap icon, const char *tip) {
        auto *b = pictureButton(page, QString::fromLatin1(name), style()->standardIcon(icon), 28, QString::fromLatin1(tip));
        row->addWidget(b);
        return b;
    };
    connect(picture("Image5", QStyle::SP_BrowserReload, "Reload Business Data"), &QToolButton::clicked, this,
            &SetupScreen::reloadBusinessData);
    connect(picture("Image4", QStyle::SP_DialogResetButton, "Clear All business Data"), &QToolButton::clicked,
            this, &SetupScreen::resetBusinessData);
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

void SetupScreen::fillBusinessBoxes()
{
    BusinessValues v = m_ctx.settings.values();
    for (int i = 0; i < 9; ++i)
        setBoxText(m_business[size_t(i)], *businessField(v, i), m_business[size_t(i)]->maxLength());
}

void SetupScreen::fillFromSettings()
{
    const BusinessValues v = m_ctx.settings.values(); // a copy: filling edits the live values
    fillBusinessBoxes();
    showAddressStyle(v.addressStyle, false);
    fillPrintColors();
    m_plain->setChecked(v.usePlainPaper);
    m_remit->setChecked(!v.usePlainPaper);
    m_sequential->setChecked(v.sequentialInvoiceNumbers == 1);
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
    m_modemPort->setText(QString::number(v.modemPort));
    m_daisyChain->setChecked(v.phoneDaisyChained);
    m_callerId->setChecked(v.callerIdEnabled);
    m_callerIdNote->setVisible(v.callerIdEnabled);
    if (!v.logoFile.isEmpty())
        loadLogoPicture(v.logoFile, false); // a logo gone from its path shows nothing, silently
    showLogo();
}

void SetupScreen::activate(Routine)
{
    const AddressStyle style = addressStyleForZip(m_ctx.settings.values().businessZip, m_ctx.locale);
    showAddressStyle(style, false);
    BusinessValues v = m_ctx.settings.values();
    setup::loadPrintColors(m_ctx.store, v);
    m_ctx.settings.setValues(v);
    fillPrintColors();
    m_tabs->setCurrentIndex(0);
    m_business[0]->setFocus();
}

void SetupScreen::showAddressStyle(AddressStyle style, bool toggled)
{
    const bool usa = style == AddressStyle::USA;
    edit([&](BusinessValues &v) { v.addressStyle = style; });
    m_addressStyle->setText(addressStyleCaption(style));
    m_businessLabels[3]->setText(usa ? QStringLiteral("City") : QStringLiteral("Address 3"));
    m_businessLabels[4]->setText(usa ? QStringLiteral("State") : QStringLiteral("Address 4"));
    m_businessLabels[5]->setVisible(usa);
    m_postalNote->setVisible(usa);
    m_business[5]->setVisible(usa);
    // Switching to the international style empties the postal code; showing
    // a loaded international address keeps whatever code it was saved with.
    if (!usa && toggled)
        m_business[5]->clear();
    m_business[4]->setFixedWidth((usa ? 930 : 5385) / kTwipsPerPixel);
    setBoxLimit(m_business[4], usa ? 2 : 55);
    m_business[3]->setFixedWidth((usa ? 3150 : 5385) / kTwipsPerPixel);
}

void SetupScreen::toggleAddressStyle()
{
    const bool toUsa = m_addressStyle->text() != addressStyleCaption(AddressStyle::USA);
    showAddressStyle(toUsa ? AddressStyle::USA : AddressStyle::International, true);
}

void SetupScreen::resetBusinessData()
{
    if (!m_ctx.prompt.ask(QStringLiteral("Do you want to reset (clear)all Business Data?"),
                          QStringLiteral("Reset Business Data")))
        return;
    for (QLineEdit *box : m_business)
        box->clear();
    m_business[0]->setFocus();
}

void SetupScreen::reloadBusinessData()
{
    BusinessValues v = m_ctx.settings.values();
    setup::loadBusinessData(m_ctx.store, v);
    m_ctx.settings.setValues(v);
    fillBusinessBoxes();
}

bool SetupScreen::saveAndLeave()
{
    BusinessValues v = m_ctx.settings.values();
    setup::SaveAllResult saved = setup::saveAllSettings(m_ctx.store, v);
    if (saved) {
        if (FileResult logo = setup::saveLogoSettings(m_ctx.store, v, logoShown()); !logo)
            saved = {logo, setup::kLogoSettings};
    }
    m_ctx.settings.setValues(v);
    if (!saved) {
        m_ctx.prompt.message(QStringLiteral("Your settings could not be saved to %1 (%2).\n"
                                            "Nothing was lost: the screen stays open so you can try again.")
                                 .arg(saved.fileName.mid(1), saved.result.error),
                             kAppTitle);
        return false;
    }
    if (!setup::setupFilesPresent(m_ctx.store)) {
        m_ctx.prompt.message(QStringLiteral("Some of your Required Files do not Exist\nRemember to Click the Logo after each Tab"),
                             QStringLiteral("Create Needed Files"));
        return false;
    }
    m_navigator.show(ScreenId::MainMenu);
    return true;
}

} // namespace ui
