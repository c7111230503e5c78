#pragma once
// The start sequence and the end of the program: the start screen up
// first, the single-instance rule, the folder tree, the business settings,
// the screens loaded hidden; and on the way out the backup of the data
// files, exactly once, however the program is left.
#include "context/AppContext.h"
#include "app/StartUp.h"
#include "ui/shell/MainWindow.h"
#include "ui/setup/SetupScreen.h"

class SplashScreen;
class StartupScreen;

class Program {
public:
    enum class Outcome { Running, AlreadyRunning, FolderFailed };

    explicit Program(AppContext &ctx, SetupChoosers choosers = SetupChoosers::system());
    ~Program();

    // Runs the start sequence. On AlreadyRunning and FolderFailed the user
    // has been told and nothing in the data folder was changed; the caller
    // ends the program without a backup.
    Outcome start(startup::InstanceLock &lock);
    // The backup, then the window goes; the event loop ends with it.
    void endProgram();

    MainWindow &window() { return m_window; }
    SplashScreen *splash() const { return m_splash; }
    StartupScreen *menu() const { return m_menu; }
    SetupScreen *setup() const { return m_setup; }

private:
    void onContinue();
    void onLogo(int index);
    void leaveSplash();

    AppContext &m_ctx;
    MainWindow m_window;
    SplashScreen *m_splash = nullptr;
    StartupScreen *m_menu = nullptr;
    SetupScreen *m_setup = nullptr;
    SetupChoosers m_choosers;
};
