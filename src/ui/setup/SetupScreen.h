#pragma once
// The setup screen: the business's identity and address style, the logo,
// printing and invoice options, taxes with the graduated scheme, and the
// telephone options, one tab each. Its controls edit the one live
// BusinessSettings; the files are written when the user leaves with "Save
// Changes / Return to &Menu".
#include "context/AppContext.h"
#include "ui/setup/SetupChoosers.h"
#include "ui/shell/Screen.h"

class QTabWidget;

namespace ui {

class BusinessTab;
class LogoTab;
class Navigator;
class OptionsTab;

class SetupScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Setup;
    SetupScreen(context::AppContext &ctx, Navigator &navigator, SetupChoosers choosers = SetupChoosers::system(),
                QWidget *parent = nullptr);

    QString caption() const override;
    // Opens on the first tab, the address style following the postal
    // code, the print colours read again.
    void activate(Routine routine) override;

private:
    QWidget *buildHelpTab();
    // Saves every settings file and goes to the main menu; stays, with a
    // message, when a file cannot be written or a required one is missing.
    void saveAndLeave();

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    SetupChoosers m_choosers;
    QTabWidget *m_tabs = nullptr;
    BusinessTab *m_business = nullptr;
    OptionsTab *m_options = nullptr;
    LogoTab *m_logo = nullptr;
};

} // namespace ui
