#include "ui/setup/SetupScreen.h"

#include "setup/SettingsFiles.h"
#include "ui/setup/BusinessTab.h"
#include "ui/setup/LogoTab.h"
#include "ui/setup/OptionTabs.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/PictureButton.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

using namespace store;
using namespace context;
using namespace setup;

namespace ui {

SetupScreen::SetupScreen(AppContext &ctx, Navigator &navigator, SetupChoosers choosers, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_choosers(std::move(choosers))
{
    setObjectName(QStringLiteral("frmSetup"));
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabSetup"));
    m_business = new BusinessTab(m_ctx, m_tabs);
    m_options = new OptionsTab(m_ctx, m_choosers, m_tabs);
    m_logo = new LogoTab(m_ctx, m_choosers, m_tabs);
    m_tabs->addTab(m_business, QStringLiteral("Business Info"));
    m_tabs->addTab(m_options, QStringLiteral("Options"));
    m_tabs->addTab(m_logo, QStringLiteral("Logo"));
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
    connect(quit, &QPushButton::clicked, this, &SetupScreen::saveAndLeave);
    bottom->addWidget(quit);
    layout->addLayout(bottom);

    // The settings were loaded at start-up; the screen shows them, and from
    // here on its controls are the live values.
    const AddressStyle style = m_ctx.settings.values().addressStyle;
    m_business->fill();
    m_business->showAddressStyle(style, false);
    m_options->fill();
    m_logo->fill();
}

QString SetupScreen::caption() const
{
    return QStringLiteral("Brenvoy Setup");
}

void SetupScreen::activate(Routine)
{
    m_business->showAddressStyle(addressStyleForZip(m_ctx.settings.values().businessZip, m_ctx.locale), false);
    BusinessValues v = m_ctx.settings.values();
    setup::loadPrintColors(m_ctx.store, v);
    m_ctx.settings.setValues(v);
    m_options->printing()->fillColors();
    m_tabs->setCurrentIndex(0);
    m_business->focusFirst();
}

void SetupScreen::saveAndLeave()
{
    BusinessValues v = m_ctx.settings.values();
    // A rate that is no number is kept only when the user says so.
    for (const QString &rate : {v.taxRate1, v.taxRate2}) {
        if (const std::optional<QString> question = setup::taxRateQuestion(rate);
            question && !m_ctx.prompt.ask(*question, setup::kTaxRateTitle)) {
            m_tabs->setCurrentWidget(m_options);
            return;
        }
    }
    setup::SaveAllResult saved = setup::saveAllSettings(m_ctx.store, v);
    if (!saved.refused.isEmpty()) {
        m_ctx.prompt.message(saved.refused, kAppTitle);
        return;
    }
    if (saved) {
        if (FileResult logo = setup::saveLogoSettings(m_ctx.store, v, m_logo->logoShown()); !logo)
            saved = {logo, setup::kLogoSettings, QString()};
    }
    m_ctx.settings.setValues(v);
    if (!saved) {
        // Only a file that is as it was may be called unchanged.
        const QString text = saved.result.replaced
                                 ? QStringLiteral("Your settings were written to %1, but the disk did not confirm "
                                                  "that they are stored for good (%2).\nCheck the disk: the screen "
                                                  "stays open so you can save again.")
                                 : QStringLiteral("Your settings could not be saved to %1 (%2).\n"
                                                  "Nothing was lost: the screen stays open so you can try again.");
        m_ctx.prompt.message(text.arg(saved.fileName.mid(1), saved.result.error), kAppTitle);
        return;
    }
    if (!setup::setupFilesPresent(m_ctx.store)) {
        m_ctx.prompt.message(QStringLiteral("Some of your Required Files do not Exist\nRemember to Click the Logo after each Tab"),
                             QStringLiteral("Create Needed Files"));
        return;
    }
    m_navigator.show(ScreenId::MainMenu);
}

QWidget *SetupScreen::buildHelpTab()
{
    auto *help = new QTextBrowser;
    help->setObjectName(QStringLiteral("txtHelp"));
    help->setHtml(QStringLiteral(
        "<h3>The Setup Screen</h3>"
        "<p><b>Business Info</b>: your business's name, address, telephone and two extra lines (for example "
        "<i>Fax - 999-123-5555</i> or a tax number). They are printed at the top of every invoice and statement. "
        "The address button switches between a USA address (city, two-letter state, postal code) and an "
        "international one (four address lines).</p>"
        "<p><b>Options</b>: <i>Printing Options</i> choose colour printing, the print font, the colours of text "
        "and borders, plain paper or a remittance form, and how invoices are numbered. <i>Taxation</i> sets the "
        "names and rates of two taxes and, if you need it, a graduated scheme: one rate up to a limit, another "
        "rate plus a surcharge above it. Taxes are applied only when <i>Tax Service and Sales Items</i> is "
        "checked. <i>Phone and Modem</i> tells the program about your modem; <i>Detect</i> looks for it on every serial port.</p>"
        "<p><b>Logo</b>: find a picture of your logo, store it, and size it for printing.</p>"
        "<p>Changes take effect at once. They are saved when you click <b>Save Changes / Return to Menu</b>; "
        "closing the window ends the program without saving them.</p>"));
    return help;
}

} // namespace ui
