// What a user waits for at the file format's ceiling, measured on the shown
// program: 32,767 customers with every field filled, 5,000 ledgers of 50
// entries, and 100,000 financial plus 100,000 service history records.
// Each screen is opened by a mouse click on the main menu and timed until
// its events are processed (its controls up, the focus moved): the first
// open of a program just started apart from the later ones. The start is
// timed from the program's start to the main menu, and each figure stands
// beside its floor: an in-process read loop over the same files from the
// page cache.
#include "BenchSupport.h"
#include "app/Program.h"
#include "app/StartUp.h"
#include "base/Dates.h"
#include "catalog/CatalogRecords.h"
#include "customers/AccountStore.h"
#include "customers/Records.h"
#include "history/History.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerEntry.h"
#include "ledger/PaymentBatch.h"
#include "setup/SettingsFiles.h"
#include "exchange/DataCheck.h"
#include "backup/Archive.h"
#include <QDirIterator>
#include <QFileInfo>
#include "ui/exchange/DataCheckScreen.h"
#include "ui/start/StartupScreen.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <ctime>
#include <functional>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QAction>
#include <QRadioButton>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace customers;
using namespace ui;

namespace {

constexpr int kCustomers = AccountStore::kMaxCustomers;
constexpr int kLedgers = 5000;
constexpr int kEntries = 50;
const QLocale kUs(QLocale::English, QLocale::UnitedStates);

const QStringList kSurnames = {QStringLiteral("Smith"),  QStringLiteral("Johnson"), QStringLiteral("Williams"),
                               QStringLiteral("Brown"),  QStringLiteral("Jones"),   QStringLiteral("Miller"),
                               QStringLiteral("Davis"),  QStringLiteral("Garcia"),  QStringLiteral("Wilson"),
                               QStringLiteral("Anderson"), QStringLiteral("Thompson"), QStringLiteral("Moore")};

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    mustSetUp(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}

// A customer with every field as long as a real one gets.
CustomerRecord fullCustomer(int i)
{
    CustomerRecord r;
    r.acctNo = QStringLiteral("ACCT-%1").arg(100000 + i);
    if (i % 3 == 0) {
        r.acctType = CustomerRecord::kBusiness;
        r.name = QStringLiteral("Lakeside Property Management %1").arg(i);
    } else {
        r.acctType = CustomerRecord::kIndividual;
        r.title = QStringLiteral("Mrs.");
        r.firstName = QStringLiteral("Patricia%1").arg(i % 97);
        r.middleInitial = QStringLiteral("J");
        r.lastName = kSurnames[i % kSurnames.size()] + QString::number(i % 13);
        r.name = r.firstName + u' ' + r.lastName;
    }
    r.address1 = QStringLiteral("%1 North Meadowbrook Avenue").arg(i);
    r.address2 = QStringLiteral("Suite %1").arg(i % 400);
    r.cityOrAddr3 = QStringLiteral("Springfield Heights %1").arg(i % 300);
    r.city = QStringLiteral("Springfield %1").arg(i % 300);
    r.state = QStringLiteral("IL");
    r.zip = QStringLiteral("62701-%1").arg(i % 10000, 4, 10, QChar(u'0'));
    r.zipOrAddr4 = r.zip;
    r.phone = QStringLiteral("217-555-%1").arg(i % 10000, 4, 10, QChar(u'0'));
    r.cellPhone = QStringLiteral("217-556-%1").arg(i % 10000, 4, 10, QChar(u'0'));
    r.email = QStringLiteral("customer%1@example.com").arg(i);
    return r;
}

void writeAccounts(const QString &folder)
{
    QByteArray customers, cycles, contracts;
    customers.reserve(qsizetype(kCustomers) * CustomerRecord::kLength);
    const QByteArray contract = ContractRecord::defaults(QDateTime::currentDateTime(), kUs).encode();
    const QByteArray cycle = CycleRecord().encode();
    for (int i = 0; i < kCustomers; ++i) {
        customers += fullCustomer(i).encode();
        cycles += cycle;
        contracts += contract;
    }
    writeFile(folder + kCustomerFile, customers);
    writeFile(folder + kCycleFile, cycles);
    writeFile(folder + kContractFile, contracts);
}

// Each ledger's backup copy, as every posting writes it beside the ledger.
void writeLedgerBackups(const QString &folder)
{
    const QString from = folder + ledger::kActiveAccountsFolder;
    const QString to = folder + store::FileStore::backupName(ledger::kActiveAccountsFolder);
    mustSetUp(QDir().mkpath(to));
    for (const QString &name : QDir(from).entryList(QDir::Files))
        if (!QFile::exists(to + u'/' + name))
            mustSetUp(QFile::copy(from + u'/' + name, to + u'/' + name));
}

void writeLedgers(const QString &folder)
{
    mustSetUp(QDir().mkpath(folder + ledger::kActiveAccountsFolder));
    const QDate day(2026, 3, 1);
    for (int i = 0; i < kLedgers; ++i) {
        const QString acct = fullCustomer(i).acctNo;
        QByteArray file;
        for (int e = 0; e < kEntries; ++e) {
            const bool payment = e % 2 == 0 && e > 0;
            file += ledger::makeEntry(acct, QStringLiteral("Lakeside Property Management"),
                                      payment ? QStringLiteral("$35.00") : QStringLiteral("35.125"),
                                      payment ? QStringLiteral("Payment Check# 1001") : QStringLiteral("Weekly Mowing"),
                                      day.addDays(e), kUs)
                        .encode();
        }
        writeFile(folder + ledger::kActiveAccountsFolder + u'/' + acct + QStringLiteral(".txt"), file);
    }
    writeLedgerBackups(folder);
}

// 100,000 records of each history, forty a day back from today, so the
// last 30 days hold about 1,200 of each.
void writeHistory(const QString &folder)
{
    constexpr int kRecords = 100000;
    QByteArray financial, service;
    financial.reserve(qsizetype(kRecords) * ledger::LedgerEntry::kLength);
    service.reserve(qsizetype(kRecords) * history::ServiceHistoryRecord::kLength);
    const QDate today = QDate::currentDate();
    for (int i = 0; i < kRecords; ++i) {
        appendHistory(financial, service, i, fullCustomer(i % 5000).acctNo,
                      base::dates::toShortDateText(today.addDays(-(kRecords - 1 - i) / 40), kUs));
    }
    writeFile(folder + history::kFinancialHistoryFile, financial);
    writeFile(folder + history::kServiceHistoryFile, service);
}

// The program folder, made once: settings, catalogue files, the customer
// files, the ledgers, the histories, and the folder tree of a first start.
struct ProgramFolder : BenchContext {
    ProgramFolder()
    {
        mustSetUp(QDir().mkpath(root));
        if (!QFile::exists(root + history::kServiceHistoryFile))
            writeHistory(root);
        if (QFile::exists(root + kCustomerFile)) {
            writeLedgerBackups(root); // a kept folder made before the backups were
            return;                   // a kept folder made by an earlier run
        }
        mustSetUp(store.makeFolder(store::kBackupFolder));
        setup::BusinessValues values = setup::BusinessValues::defaults(kUs);
        mustSetUp(bool(setup::saveAllSettings(store, values)));
        writeFile(root + catalog::kServicesFile, QByteArray());
        writeFile(root + catalog::kItemsFile, QByteArray());
        writeAccounts(root);
        writeLedgers(root);
        mustSetUp(app::createFolders(store, context::kAppTitle, 2026).ok);
    }
};

ProgramFolder &folder()
{
    static ProgramFolder f;
    return f;
}

// The program as main() runs it, on the start screen.
struct RunningProgram {
    explicit RunningProgram(ProgramFolder &f) : program(f.ctx), lock(f.store.programFolder())
    {
        mustSetUp(program.start(lock) == app::Program::Outcome::Running);
        mustSetUp(QTest::qWaitForWindowExposed(&program.window()));
    }
    ~RunningProgram() { lock.release(); }
    void click(const char *name)
    {
        auto *button = program.window().findChild<QPushButton *>(QString::fromLatin1(name));
        mustSetUp(button && button->isVisible() && button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void toMenu()
    {
        program.window().navigator().show(ScreenId::MainMenu);
        QCoreApplication::processEvents();
    }
    app::Program program;
    app::InstanceLock lock;
};

QStringList accountFiles(const ProgramFolder &f)
{
    return {f.root + kCustomerFile, f.root + kCycleFile, f.root + kContractFile};
}

QStringList ledgerFiles(const ProgramFolder &f)
{
    const QString path = f.root + ledger::kActiveAccountsFolder;
    QStringList files;
    for (const QString &name : QDir(path).entryList(QDir::Files))
        files.append(path + u'/' + name);
    return files;
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// From the start screen's Continue to the main menu, after the start
// sequence (folder pass, recovery, settings, screens built) has run.
void BM_StartToMainMenu(benchmark::State &state)
{
    ProgramFolder &f = folder();
    for (auto _ : state) {
        RunningProgram p(f);
        p.click("cmdContinue");
    }
}
BENCHMARK(BM_StartToMainMenu)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_OpenCustomerScreen(benchmark::State &state)
{
    ProgramFolder &f = folder();
    RunningProgram p(f);
    p.click("cmdContinue");
    for (auto _ : state) {
        p.click("lblSub_8");
        state.PauseTiming();
        p.toMenu();
        state.ResumeTiming();
    }
    state.counters["rss_mb"] = double(residentKb()) / 1024.0;
}
BENCHMARK(BM_OpenCustomerScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FloorCustomerFiles(benchmark::State &state)
{
    const QStringList files = accountFiles(folder());
    for (auto _ : state)
        benchmark::DoNotOptimize(readLoop(files));
}
BENCHMARK(BM_FloorCustomerFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// A search by last name, in a program just started: the search frame
// opened for the first time, the criterion and text given, Search clicked.
void searchOnce(RunningProgram &p, const QString &text)
{
    p.click("Command1_0");
    QWidget &w = p.program.window();
    w.findChild<QRadioButton *>(QStringLiteral("optSearch_7"))->setChecked(true);
    w.findChild<QLineEdit *>(QStringLiteral("txtSearchfor"))->setText(text);
    p.click("cmdStartSearch");
}

void BM_SearchFirstTime(benchmark::State &state)
{
    ProgramFolder &f = folder();
    for (auto _ : state) {
        state.PauseTiming();
        {
            RunningProgram p(f);
            p.click("cmdContinue");
            p.click("lblSub_8");
            state.ResumeTiming();
            searchOnce(p, QStringLiteral("son"));
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SearchFirstTime)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_SearchAgain(benchmark::State &state)
{
    ProgramFolder &f = folder();
    RunningProgram p(f);
    p.click("cmdContinue");
    p.click("lblSub_8");
    searchOnce(p, QStringLiteral("son"));
    for (auto _ : state)
        searchOnce(p, QStringLiteral("son"));
}
BENCHMARK(BM_SearchAgain)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FloorCustomerFile(benchmark::State &state)
{
    const QStringList files = {folder().root + kCustomerFile};
    for (auto _ : state)
        benchmark::DoNotOptimize(readLoop(files));
}
BENCHMARK(BM_FloorCustomerFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenPaymentScreen(benchmark::State &state)
{
    ProgramFolder &f = folder();
    RunningProgram p(f);
    p.click("cmdContinue");
    for (auto _ : state) {
        p.click("lblSub_5");
        state.PauseTiming();
        p.toMenu();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPaymentScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FloorLedgers(benchmark::State &state)
{
    const QStringList files = ledgerFiles(folder());
    for (auto _ : state)
        benchmark::DoNotOptimize(readLoop(files));
}
BENCHMARK(BM_FloorLedgers)->Unit(benchmark::kMillisecond)->UseRealTime();

// The home page's figures are read on a worker thread: what the window's
// thread spends, from the click that shows the page until its figures are
// on it, is what a user could feel. Timed as that thread's CPU time, with
// the wall time to the figures beside it.
double guiThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

void showHomeAndWait(RunningProgram &p, const std::function<void()> &show, benchmark::State &state)
{
    QSignalSpy shown(p.program.menu(), &StartupScreen::glanceShown);
    const double cpu = guiThreadCpuMs();
    QElapsedTimer wall;
    wall.start();
    show();
    mustSetUp(shown.count() > 0 || shown.wait(120000));
    state.SetIterationTime((guiThreadCpuMs() - cpu) / 1000.0);
    state.counters["wall_to_figures_ms"] = double(wall.elapsed());
}

// The first showing, as the user meets it after the start screen.
void BM_HomePageFirstShown(benchmark::State &state)
{
    ProgramFolder &f = folder();
    for (auto _ : state) {
        state.PauseTiming();
        RunningProgram p(f);
        state.ResumeTiming();
        showHomeAndWait(p, [&] { p.click("cmdContinue"); }, state);
    }
}
BENCHMARK(BM_HomePageFirstShown)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// Coming back to the page: the figures are read again.
void BM_HomePageShownAgain(benchmark::State &state)
{
    ProgramFolder &f = folder();
    RunningProgram p(f);
    showHomeAndWait(p, [&] { p.click("cmdContinue"); }, state);
    for (auto _ : state) {
        p.click("lblSub_5"); // away to the payment screen, not timed
        showHomeAndWait(p, [&] { p.toMenu(); }, state);
    }
}
BENCHMARK(BM_HomePageShownAgain)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);


// A screen opened from the main menu: its routine's label clicked (the
// setup screen from the Files menu), timed until the click's events are
// processed, with the window's thread's CPU time beside the wall time.
constexpr int kSetupScreen = -1;

// The history's floor read beside each of its timings, the same moment's
// machine for both: the customer file (the account list's) and the two
// history files. Summed over the iterations for the ratio.
struct Floor {
    // The history screen's files unless others are named.
    explicit Floor(QStringList files = {}) : m_files(std::move(files)) {}
    QStringList m_files;
    double openMs = 0, floorMs = 0;
    void add(double open, const ProgramFolder &f)
    {
        const QStringList files = !m_files.isEmpty() ? m_files
                                                     : QStringList{f.root + kCustomerFile, f.root + history::kFinancialHistoryFile,
                                                                   f.root + history::kServiceHistoryFile};
        QElapsedTimer t;
        t.start();
        benchmark::DoNotOptimize(readLoop(files));
        floorMs += double(t.nsecsElapsed()) / 1e6;
        openMs += open;
    }
    void report(benchmark::State &state) const
    {
        if (floorMs > 0) {
            state.counters["floor_ms"] = floorMs / double(state.iterations());
            state.counters["x_floor"] = openMs / floorMs;
        }
    }
};

double openFromMenu(RunningProgram &p, int label, benchmark::State &state)
{
    const double cpu = guiThreadCpuMs();
    QElapsedTimer wall;
    wall.start();
    if (label == kSetupScreen) {
        p.program.menu()->findChild<QAction *>(QStringLiteral("mnuCreate"))->trigger();
        QCoreApplication::processEvents();
    } else {
        p.click(QStringLiteral("lblSub_%1").arg(label).toLatin1().constData());
    }
    const double ms = double(wall.nsecsElapsed()) / 1e6;
    state.SetIterationTime(ms / 1e3);
    state.counters["gui_cpu_ms"] = guiThreadCpuMs() - cpu;
    return ms;
}

// The program up on its main menu with the home page's figures shown, as a
// user finds it before the first click.
void toMenuAndFigures(RunningProgram &p)
{
    QSignalSpy shown(p.program.menu(), &StartupScreen::glanceShown);
    p.click("cmdContinue");
    mustSetUp(shown.count() > 0 || shown.wait(120000));
}

const char *screenName(int label)
{
    switch (label) {
    case StartupScreen::Invoices: return "billing";
    case StartupScreen::Contract: return "customers for a contract";
    case StartupScreen::Payments: return "payments";
    case StartupScreen::Services: return "services";
    case StartupScreen::Customers: return "customers";
    case StartupScreen::History: return "history (last 30 days)";
    default: return "setup";
    }
}

// The first open of a screen in a program just started: what a user meets.
void BM_FirstOpen(benchmark::State &state)
{
    const int label = int(state.range(0));
    state.SetLabel(screenName(label));
    Floor floor;
    for (auto _ : state) {
        state.PauseTiming();
        RunningProgram p(folder());
        toMenuAndFigures(p);
        state.ResumeTiming();
        const double ms = openFromMenu(p, label, state);
        if (label == StartupScreen::History)
            floor.add(ms, folder());
    }
    floor.report(state);
}
BENCHMARK(BM_FirstOpen)
    ->ArgsProduct({{int(StartupScreen::Customers), int(StartupScreen::Contract), int(StartupScreen::Payments), int(StartupScreen::Invoices),
                    int(StartupScreen::Services), int(StartupScreen::History), kSetupScreen}})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

// Later opens of the same screen, the menu shown between them with its
// figures read again, as a user comes back to it.
void BM_OpenAgain(benchmark::State &state)
{
    const int label = int(state.range(0));
    state.SetLabel(screenName(label));
    RunningProgram p(folder());
    toMenuAndFigures(p);
    openFromMenu(p, label, state);
    Floor floor;
    for (auto _ : state) {
        state.PauseTiming();
        QSignalSpy shown(p.program.menu(), &StartupScreen::glanceShown);
        p.toMenu();
        mustSetUp(shown.count() > 0 || shown.wait(120000));
        state.ResumeTiming();
        const double ms = openFromMenu(p, label, state);
        if (label == StartupScreen::History)
            floor.add(ms, folder());
    }
    floor.report(state);
}
BENCHMARK(BM_OpenAgain)
    ->ArgsProduct({{int(StartupScreen::Customers), int(StartupScreen::Contract), int(StartupScreen::Payments), int(StartupScreen::Invoices),
                    int(StartupScreen::Services), int(StartupScreen::History), kSetupScreen}})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10);

// "Eternity" (1 January 1990 to today) and Load Grid on the history screen:
// all 200,000 records shown. The first load in a program just started, then
// later ones.
double loadSince1990(RunningProgram &p, benchmark::State &state)
{
    const double cpu = guiThreadCpuMs();
    QElapsedTimer wall;
    wall.start();
    p.click("cmdIncome_3");
    p.click("cmdHistory_1");
    const double ms = double(wall.nsecsElapsed()) / 1e6;
    state.SetIterationTime(ms / 1e3);
    state.counters["gui_cpu_ms"] = guiThreadCpuMs() - cpu;
    return ms;
}

void BM_HistorySince1990First(benchmark::State &state)
{
    Floor floor;
    for (auto _ : state) {
        state.PauseTiming();
        RunningProgram p(folder());
        toMenuAndFigures(p);
        p.click("lblSub_9");
        state.ResumeTiming();
        floor.add(loadSince1990(p, state), folder());
    }
    floor.report(state);
}
BENCHMARK(BM_HistorySince1990First)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_HistorySince1990Again(benchmark::State &state)
{
    RunningProgram p(folder());
    toMenuAndFigures(p);
    p.click("lblSub_9");
    loadSince1990(p, state);
    Floor floor;
    for (auto _ : state)
        floor.add(loadSince1990(p, state), folder());
    floor.report(state);
}
BENCHMARK(BM_HistorySince1990Again)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The history screen's floor: the customer file (its account list) and the
// two history files read.
void BM_FloorHistory(benchmark::State &state)
{
    const ProgramFolder &f = folder();
    const QStringList files = {f.root + kCustomerFile, f.root + history::kFinancialHistoryFile,
                               f.root + history::kServiceHistoryFile};
    for (auto _ : state)
        benchmark::DoNotOptimize(readLoop(files));
}
BENCHMARK(BM_FloorHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

// Accounts Receivable opened from the Files menu (every ledger read and
// aged, the customer file read for the telephones, the grid and totals
// shown), each timing beside the floor of reading the 5,000 ledgers and the
// customer file at the same moment. The first open in a program just
// started apart from the later ones.
double openReceivables(RunningProgram &p)
{
    QElapsedTimer wall;
    wall.start();
    p.program.menu()->findChild<QAction *>(QStringLiteral("mnuReceivables"))->trigger();
    QCoreApplication::processEvents();
    return double(wall.nsecsElapsed()) / 1e6;
}

QStringList receivablesFiles()
{
    QStringList files = ledgerFiles(folder());
    files.append(folder().root + kCustomerFile);
    return files;
}

void BM_ReceivablesFirstOpen(benchmark::State &state)
{
    Floor floor(receivablesFiles());
    for (auto _ : state) {
        state.PauseTiming();
        RunningProgram p(folder());
        toMenuAndFigures(p);
        state.ResumeTiming();
        const double ms = openReceivables(p);
        state.SetIterationTime(ms / 1e3);
        floor.add(ms, folder());
    }
    floor.report(state);
}
BENCHMARK(BM_ReceivablesFirstOpen)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_ReceivablesAgain(benchmark::State &state)
{
    RunningProgram p(folder());
    toMenuAndFigures(p);
    (void)openReceivables(p);
    Floor floor(receivablesFiles());
    for (auto _ : state) {
        p.toMenu();
        const double ms = openReceivables(p);
        state.SetIterationTime(ms / 1e3);
        floor.add(ms, folder());
    }
    floor.report(state);
}
BENCHMARK(BM_ReceivablesAgain)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The data-folder check at the format's ceiling, as the start runs it on
// its worker (the core pass alone) and as a user meets it (the screen
// opened from the Files menu until the findings are shown), each beside
// the floor of reading the files it reads.
QStringList checkedFiles()
{
    const ProgramFolder &f = folder();
    QStringList files = receivablesFiles(); // the ledgers and the customer file
    const QString backups = f.root + store::FileStore::backupName(ledger::kActiveAccountsFolder);
    for (const QString &name : QDir(backups).entryList(QDir::Files))
        files.append(backups + u'/' + name);
    return files;
}

void BM_DataCheckCore(benchmark::State &state)
{
    ProgramFolder &f = folder();
    Floor floor(checkedFiles());
    size_t found = 0;
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        found = exchange::checkDataFolder(f.store, kUs).size();
        const double ms = double(wall.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        floor.add(ms, f);
    }
    floor.report(state);
    state.counters["findings"] = double(found);
}
BENCHMARK(BM_DataCheckCore)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_DataCheckScreen(benchmark::State &state)
{
    RunningProgram p(folder());
    toMenuAndFigures(p);
    Floor floor(checkedFiles());
    for (auto _ : state) {
        p.toMenu();
        QElapsedTimer wall;
        wall.start();
        p.program.menu()->findChild<QAction *>(QStringLiteral("mnuDataCheck"))->trigger();
        auto *screen = qobject_cast<DataCheckScreen *>(p.program.window().navigator().current());
        mustSetUp(screen != nullptr);
        QSignalSpy checked(screen, &DataCheckScreen::checked);
        mustSetUp(checked.wait(120000));
        const double ms = double(wall.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        floor.add(ms, folder());
    }
    floor.report(state);
}
BENCHMARK(BM_DataCheckScreen)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// The whole folder at the format's ceiling archived and checked, as the
// end of the program and "Back Up Now..." make it (32,767 customers with
// their data-box folders, 5,000 ledgers and their backups, 200,000 history
// records), beside the floor of reading the same files.
void BM_BackupAtCeiling(benchmark::State &state)
{
    ProgramFolder &f = folder();
    QTemporaryDir archives;
    double bytes = 0;
    QStringList all;
    QDirIterator it(f.root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        all << it.next();
    Floor floor(all);
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        const backup::Made made = backup::makeBackup(f.store, archives.path(), QDateTime::currentDateTime(),
                                                     backup::currentVersion(), 2);
        mustSetUp(made.ok());
        const double ms = double(wall.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        floor.add(ms, f);
        bytes = double(QFileInfo(made.archive).size());
    }
    floor.report(state);
    state.counters["archive_mb"] = bytes / (1024.0 * 1024.0);
}
BENCHMARK(BM_BackupAtCeiling)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Every screen opened once and the history since 1990 loaded: the peak of
// the process's resident memory (what the system had to give it).
void BM_PeakMemoryEveryScreen(benchmark::State &state)
{
    for (auto _ : state) {
        RunningProgram p(folder());
        toMenuAndFigures(p);
        for (int label : {int(StartupScreen::Customers), int(StartupScreen::Payments), int(StartupScreen::Invoices),
                          int(StartupScreen::Services), kSetupScreen, int(StartupScreen::Contract), int(StartupScreen::History)}) {
            openFromMenu(p, label, state);
            if (label != StartupScreen::History)
                p.toMenu();
        }
        loadSince1990(p, state);
    }
    state.counters["peak_rss_mb"] = double(peakResidentKb()) / 1024.0;
}
BENCHMARK(BM_PeakMemoryEveryScreen)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace

BRENVOY_BENCH_MAIN()
