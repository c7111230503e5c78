#include "app/Program.h"

#include "billing/BillingRun.h"
#include "customers/AccountStore.h"
#include "ledger/PaymentBatch.h"
#include "setup/SettingsFiles.h"
#include "ui/billing/BillingScreen.h"
#include "ui/contracts/ContractScreen.h"
#include "ui/customers/CustomerScreen.h"
#include "ui/history/HistoryScreen.h"
#include "ui/exchange/ExportScreen.h"
#include "ui/exchange/ImportScreen.h"
#include "ui/exchange/DataCheckScreen.h"
#include "ui/backup/BackupRunner.h"
#include "ui/backup/BackupScreen.h"
#include "ui/payments/PaymentScreen.h"
#include "ui/receivables/ReceivablesScreen.h"
#include "ui/runs/BillingRunsScreen.h"
#include "ui/services/ServicesScreen.h"
#include "ui/setup/SetupScreen.h"
#include "ui/start/SplashScreen.h"
#include "ui/start/StartupScreen.h"

#include "sample/SampleBusiness.h"

#include <QApplication>
#include <QProcess>
#include <QProgressDialog>
#include <memory>

using namespace store;
using namespace context;
using namespace setup;
using namespace ui;

namespace app {

Program::Program(AppContext &ctx, SetupChoosers choosers) : m_ctx(ctx), m_choosers(std::move(choosers))
{
    m_window.setEndProgram([this] { endOfProgram(); });
}

Program::~Program() = default;

Program::Outcome Program::start(app::InstanceLock &lock)
{
    // The start screen is up and painted before anything slow happens.
    m_splash = new SplashScreen(m_ctx.folderNote);
    m_window.navigator().add(ScreenId::Start, m_splash);
    m_window.navigator().show(ScreenId::Start);
    m_window.show();
    QCoreApplication::processEvents();

    if (!lock.acquire()) {
        m_ctx.prompt.message(app::alreadyRunningText(kAppTitle), kAppTitle);
        return Outcome::AlreadyRunning;
    }

    // A first start with many customers makes six folders for each: the
    // window says how far it is instead of seeming to hang.
    std::unique_ptr<QProgressDialog> progress;
    auto report = [&](int done, int total) {
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(
                QStringLiteral("Making the data folders of %L1 customers...").arg(total), QString(), 0, total, &m_window);
            progress->setObjectName(QStringLiteral("dlgFolderProgress"));
            progress->setWindowTitle(kAppTitle);
            progress->setAccessibleName(QStringLiteral("Making the customers' data folders"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
        }
        progress->setValue(done);
    };
    const app::FolderResult folders = app::createFolders(m_ctx.store, kAppTitle, m_ctx.clock.today().year(), report);
    progress.reset();
    if (!folders.ok) {
        m_ctx.prompt.message(app::folderFailedText(folders.failedFolder, m_ctx.store.programFolder()), kAppTitle);
        return Outcome::FolderFailed;
    }
    app::installShippedFiles(m_ctx.shippedFolder, m_ctx.store);
    finishInterruptedWork();

    // The business settings are live from here on for every screen.
    BusinessValues values = m_ctx.settings.values();
    setup::loadAll(m_ctx.store, values, m_ctx.locale);
    // The modem is looked for only where one may be: on the saved port, or
    // on every port when a telephone is daisy-chained and none is saved yet.
    phone::Modem &modem = m_ctx.modem;
    if (modem.detect(phone::startProbePorts(modem.ports(), values.modemPort, values.phoneDaisyChained),
                     phone::kProbeWaitMs, phone::kStartProbeBudgetMs) > 0)
        values.modemPort = std::int16_t(modem.port());
    m_ctx.settings.setValues(values);
    // The catalogue every list of services and items is fed from.
    m_ctx.catalog.load(m_ctx.store);

    addScreens();
    return Outcome::Running;
}

// Work a crash or a failing disk left half done, finished once at the
// start before anything reads the files it touched.
void Program::finishInterruptedWork()
{
    const store::FinishedWork work = store::finishInterruptedWork(m_ctx.store);
    // The user hears what an interrupted run came to before loading a grid
    // again: the accounts posted, and invoices posted but perhaps not printed.
    if (work.kind == billing::kRunKind) {
        if (const QString text = billing::recoveredRunText(billing::recoveredRun(work)); !text.isEmpty())
            m_ctx.prompt.message(text, QStringLiteral("Billing Run Completed"));
        return;
    }
    if (const QString text = app::finishedWorkText(work); !text.isEmpty())
        m_ctx.prompt.message(text, kAppTitle);
}

// The working screens, built hidden, and the start screen's commands.
void Program::addScreens()
{
    Navigator &nav = m_window.navigator();
    nav.add(CustomerScreen::kId, new CustomerScreen(m_ctx, nav));
    nav.add(ServicesScreen::kId, new ServicesScreen(m_ctx, nav));
    nav.add(PaymentScreen::kId, new PaymentScreen(m_ctx, nav));
    nav.add(BillingScreen::kId, new BillingScreen(m_ctx, nav));
    nav.add(BillingRunsScreen::kId, new BillingRunsScreen(m_ctx, nav));
    nav.add(ReceivablesScreen::kId, new ReceivablesScreen(m_ctx, nav));
    nav.add(ExportScreen::kId, new ExportScreen(m_ctx, nav));
    nav.add(ImportScreen::kId, new ImportScreen(m_ctx, nav));
    nav.add(DataCheckScreen::kId, new DataCheckScreen(m_ctx, nav));
    nav.add(BackupScreen::kId, new BackupScreen(m_ctx, nav, [this] { restartOnRestored(); }));
    nav.add(HistoryScreen::kId, new HistoryScreen(m_ctx, nav));
    nav.add(ContractScreen::kId, new ContractScreen(m_ctx, nav));
    m_setup = new SetupScreen(m_ctx, nav, m_choosers);
    nav.add(ScreenId::Setup, m_setup);
    m_menu = new StartupScreen(m_ctx, nav, [this] { m_window.close(); });
    nav.add(ScreenId::MainMenu, m_menu);

    QObject::connect(m_splash, &SplashScreen::continueClicked, m_splash, [this] { onContinue(); });
    QObject::connect(m_splash, &SplashScreen::logoClicked, m_splash, [this](int i) { onLogo(i); });
    QObject::connect(m_splash, &SplashScreen::sampleRequested, m_splash, [this] { exploreSample(); });
    if (sample::isSample(m_ctx.store)) {
        nav.setTitleSuffix(QStringLiteral(" - Sample business"));
        m_splash->showSample();
    }
}

void Program::onContinue()
{
    if (setup::setupFilesPresent(m_ctx.store)) {
        m_window.navigator().show(ScreenId::MainMenu);
        leaveSplash();
    } else {
        m_splash->showWelcome();
    }
}

void Program::onLogo(int index)
{
    if (index == 1)
        m_splash->hideWelcome();
    if (m_window.navigator().show(ScreenId::Setup))
        leaveSplash();
}

void Program::leaveSplash()
{
    if (!m_splash)
        return;
    m_window.navigator().remove(ScreenId::Start);
    m_splash = nullptr;
}

void Program::exploreSample()
{
    QString problem;
    const QString folder = app::copySampleBusiness(m_ctx.shippedFolder, &problem);
    const bool started = !folder.isEmpty()
                         && (m_launch ? m_launch({QStringLiteral("--data"), folder})
                                      : QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                                                {QStringLiteral("--data"), folder}));
    if (!started) {
        m_ctx.prompt.message(QStringLiteral("The sample business could not be opened (%1).")
                                 .arg(problem.isEmpty() ? QStringLiteral("the program could not be started again") : problem),
                             kAppTitle);
        return;
    }
    // The sample runs as a program of its own, on its own folder; this one,
    // on the user's still empty folder, ends.
    m_window.close();
}

// The business files copied to Backup, then the whole folder archived and
// checked, with its progress shown; a backup that fails is said and the
// program still ends (the data is whole in its folder). A folder that was
// never set up, and the sample business, are not archived.
void Program::endOfProgram()
{
    app::backupBusinessFiles(m_ctx.store);
    if (m_skipEndBackup || sample::isSample(m_ctx.store) || !setup::setupFilesPresent(m_ctx.store))
        return;
    (void)ui::runBackup(&m_window, m_ctx, true);
}

void Program::restartOnRestored()
{
    m_skipEndBackup = true;
    const QStringList arguments{QStringLiteral("--data"), m_ctx.store.programFolder()};
    const bool started = m_launch ? m_launch(arguments) : QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
    if (!started)
        m_ctx.prompt.message(QStringLiteral("The program could not start again by itself; start it again to work on "
                                            "the restored data."),
                             kAppTitle);
    m_window.close();
}

void Program::endProgram()
{
    m_window.close();
}

} // namespace app
