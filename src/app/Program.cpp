#include "app/Program.h"

#include "ledger/PaymentBatch.h"
#include "setup/SettingsFiles.h"
#include "ui/CustomerScreen.h"
#include "ui/PaymentScreen.h"
#include "ui/ServicesScreen.h"
#include "ui/SetupScreen.h"
#include "ui/SplashScreen.h"
#include "ui/StartupScreen.h"

#include <QApplication>

Program::Program(AppContext &ctx, SetupChoosers choosers) : m_ctx(ctx), m_choosers(std::move(choosers))
{
    m_window.setEndProgram([this] { m_ctx.store.backupAllFiles(); });
}

Program::~Program() = default;

Program::Outcome Program::start(startup::InstanceLock &lock)
{
    // The start screen is up and painted before anything slow happens.
    m_splash = new SplashScreen(m_ctx.folderNote);
    m_window.navigator().add(m_splash);
    m_window.navigator().show(m_splash);
    m_window.show();
    QCoreApplication::processEvents();

    if (!lock.acquire()) {
        m_ctx.prompt.message(startup::alreadyRunningText(kAppTitle), kAppTitle);
        return Outcome::AlreadyRunning;
    }

    const startup::FolderResult folders = startup::createFolders(m_ctx.store, kAppTitle, m_ctx.clock.today().year());
    if (!folders.ok) {
        m_ctx.prompt.message(startup::folderFailedText(folders.failedFolder, m_ctx.store.programFolder()), kAppTitle);
        return Outcome::FolderFailed;
    }
    startup::installShippedFiles(m_ctx.shippedFolder, m_ctx.store);
    // Payments a crash interrupted are posted before anything reads a ledger.
    if (FileResult r = ledger::recoverPayments(m_ctx.store, m_ctx.clock.today(), m_ctx.locale); !r)
        m_ctx.prompt.message(QStringLiteral("Payments written before the program stopped could not be finished (%1).")
                                 .arg(r.error),
                             kAppTitle);

    // The business settings are live from here on for every screen.
    BusinessValues values = m_ctx.settings.values();
    settingsfiles::loadAll(m_ctx.store, values, m_ctx.locale);
    m_ctx.settings.setValues(values);
    // The catalogue every list of services and items is fed from.
    m_ctx.catalog.load(m_ctx.store);

    m_window.navigator().add(new CustomerScreen(m_ctx, m_window.navigator()));
    m_window.navigator().add(new ServicesScreen(m_ctx, m_window.navigator()));
    m_window.navigator().add(new PaymentScreen(m_ctx, m_window.navigator()));
    m_setup = new SetupScreen(m_ctx, m_window.navigator(), m_choosers);
    m_window.navigator().add(m_setup);
    m_menu = new StartupScreen(m_ctx, m_window.navigator(), [this] { m_window.close(); });
    m_window.navigator().add(m_menu);

    QObject::connect(m_splash, &SplashScreen::continueClicked, m_splash, [this] { onContinue(); });
    QObject::connect(m_splash, &SplashScreen::logoClicked, m_splash, [this](int i) { onLogo(i); });
    return Outcome::Running;
}

void Program::onContinue()
{
    if (settingsfiles::setupFilesPresent(m_ctx.store)) {
        m_window.navigator().show(m_menu);
        leaveSplash();
    } else {
        m_splash->showWelcome();
    }
}

void Program::onLogo(int index)
{
    Screen *setup = m_window.navigator().find(QStringLiteral("frmSetup"));
    if (!setup)
        return;
    if (index == 1)
        m_splash->hideWelcome();
    m_window.navigator().show(setup);
    leaveSplash();
}

void Program::leaveSplash()
{
    if (!m_splash)
        return;
    m_window.navigator().remove(m_splash);
    m_splash = nullptr;
}

void Program::endProgram()
{
    m_window.close();
}
