#pragma once
// The start sequence and the end of the program: the start screen up
// first, the single-instance rule, the folder tree, the business settings,
// the screens loaded hidden; and on the way out the backup of the data
// files, exactly once, however the program is left.
#include "context/AppContext.h"
#include "app/StartUp.h"
#include "ui/shell/MainWindow.h"
#include "ui/setup/SetupScreen.h"

#include <QStringList>
#include <functional>

namespace ui {
class SplashScreen;
class StartupScreen;
} // namespace ui

namespace app {

class Program {
public:
    enum class Outcome { Running, AlreadyRunning, FolderFailed };

    explicit Program(context::AppContext &ctx, ui::SetupChoosers choosers = ui::SetupChoosers::system());
    ~Program();

    // Runs the start sequence. On AlreadyRunning and FolderFailed the user
    // has been told and nothing in the data folder was changed; the caller
    // ends the program without a backup.
    Outcome start(app::InstanceLock &lock);
    // The backup, then the window goes; the event loop ends with it.
    void endProgram();
    // Starts another copy of the program with these arguments (the sample
    // business opens that way); the system's process launcher by default.
    using Launcher = std::function<bool(const QStringList &arguments)>;
    void setLauncher(Launcher launch) { m_launch = std::move(launch); }

    ui::MainWindow &window() { return m_window; }
    ui::SplashScreen *splash() const { return m_splash; }
    ui::StartupScreen *menu() const { return m_menu; }
    ui::SetupScreen *setup() const { return m_setup; }

private:
    void onContinue();
    void onLogo(int index);
    void leaveSplash();
    void exploreSample();
    // After a restore: the program again on the restored folder, this one
    // ended without the end's backup (it would archive the restored data
    // under today's date for nothing).
    void restartOnRestored();
    void endOfProgram();
    bool m_skipEndBackup = false;
    void finishInterruptedWork();
    void addScreens();

    context::AppContext &m_ctx;
    ui::MainWindow m_window;
    ui::SplashScreen *m_splash = nullptr;
    ui::StartupScreen *m_menu = nullptr;
    ui::SetupScreen *m_setup = nullptr;
    ui::SetupChoosers m_choosers;
    Launcher m_launch;
};

} // namespace app
