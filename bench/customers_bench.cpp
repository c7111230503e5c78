// The customer file at its limit of 32,767 customers: opening the customer
// screen (account and city lists), a search by last name, and removing the
// first customer, each against the time `cat` takes to read the same files.
#include "BenchSupport.h"
#include "base/Clock.h"
#include "customers/AccountStore.h"
#include "ui/customers/CustomerScreen.h"
#include "ui/shell/Navigator.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace base;
using namespace store;
using namespace customers;
using namespace ui;

namespace {

constexpr int kCustomers = AccountStore::kMaxCustomers;

const QStringList kSurnames = {QStringLiteral("Smith"), QStringLiteral("Johnson"), QStringLiteral("Williams"),
                               QStringLiteral("Brown"), QStringLiteral("Jones"),   QStringLiteral("Miller"),
                               QStringLiteral("Davis"), QStringLiteral("Garcia"),  QStringLiteral("Wilson")};

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
}

// A full file of individuals and businesses in 300 cities, and its two
// side files.
void writeAccounts(const QString &folder, int count = kCustomers)
{
    QByteArray customers, cycles, contracts;
    customers.reserve(qsizetype(count) * CustomerRecord::kLength);
    const QByteArray contract =
        ContractRecord::defaults(QDateTime::currentDateTime(), QLocale(QLocale::English, QLocale::UnitedStates)).encode();
    const QByteArray cycle = CycleRecord().encode();
    for (int i = 0; i < count; ++i) {
        CustomerRecord r;
        r.acctNo = QString::number(100000 + i);
        if (i % 3 == 0) {
            r.acctType = QStringLiteral("Business");
            r.name = QStringLiteral("Business %1 Services").arg(i);
        } else {
            r.acctType = QStringLiteral("Individual");
            r.firstName = QStringLiteral("Pat%1").arg(i % 97);
            r.lastName = kSurnames[i % kSurnames.size()] + QString::number(i % 13);
            r.name = r.firstName + u' ' + r.lastName;
        }
        r.address1 = QStringLiteral("%1 Main Street").arg(i);
        r.cityOrAddr3 = QStringLiteral("City %1").arg(i % 300);
        r.state = QStringLiteral("IL");
        r.zip = r.zipOrAddr4 = QStringLiteral("62701");
        r.phone = QStringLiteral("217-555-%1").arg(i % 10000, 4, 10, QChar(u'0'));
        customers += r.encode();
        cycles += cycle;
        contracts += contract;
    }
    writeFile(folder + kCustomerFile, customers);
    writeFile(folder + kCycleFile, cycles);
    writeFile(folder + kContractFile, contracts);
}

struct ScreenFixture : BenchContext {
    explicit ScreenFixture(int count = kCustomers) : stack(new QStackedWidget(&window)), navigator(*stack, window)
    {
        mustSetUp(store.makeFolder(kBackupFolder));
        writeAccounts(dir.path(), count);
        screen = new CustomerScreen(ctx, navigator);
        navigator.add(screen->kId, screen);
    }
    QWidget window;
    QStackedWidget *stack;
    Navigator navigator;
    CustomerScreen *screen = nullptr;
};

void catFiles(const QString &folder, const QStringList &names)
{
    QString command = QStringLiteral("cat");
    for (const QString &n : names)
        command += QStringLiteral(" '") + folder + n + u'\'';
    command += QStringLiteral(" > /dev/null");
    if (std::system(command.toLocal8Bit().constData()) != 0)
        std::abort();
}

// Opening the screen: the customer count, both lists, the first customer.
void BM_OpenCustomerScreen(benchmark::State &state)
{
    ScreenFixture f;
    for (auto _ : state)
        f.navigator.show(CustomerScreen::kId);
    state.SetItemsProcessed(state.iterations() * kCustomers);
}
BENCHMARK(BM_OpenCustomerScreen)->Unit(benchmark::kMillisecond);

// The one sequential read every list and search starts from.
void BM_ReadAllCustomers(benchmark::State &state)
{
    ScreenFixture f;
    AccountStore accounts(f.store, f.clock, f.ctx.locale);
    for (auto _ : state)
        benchmark::DoNotOptimize(accounts.readAllCustomers());
}
BENCHMARK(BM_ReadAllCustomers)->Unit(benchmark::kMillisecond);

void BM_CatCustomerFile(benchmark::State &state)
{
    QTemporaryDir dir;
    writeAccounts(dir.path());
    for (auto _ : state)
        catFiles(dir.path(), {kCustomerFile});
}
BENCHMARK(BM_CatCustomerFile)->Unit(benchmark::kMillisecond);

// A search by last name that finds a ninth of the file, shown in the grid.
void BM_SearchByLastName(benchmark::State &state)
{
    ScreenFixture f;
    f.navigator.show(CustomerScreen::kId);
    auto *option = f.screen->findChild<QRadioButton *>(QStringLiteral("optSearch_7"));
    auto *text = f.screen->findChild<QLineEdit *>(QStringLiteral("txtSearchfor"));
    auto *search = f.screen->findChild<QPushButton *>(QStringLiteral("cmdStartSearch"));
    for (auto _ : state) {
        option->setChecked(true);
        text->setText(QStringLiteral("smith"));
        search->click();
    }
}
BENCHMARK(BM_SearchByLastName)->Unit(benchmark::kMillisecond);

// Removing customer 1: three new files written and synced, then renamed.
void BM_RemoveFirstCustomer(benchmark::State &state)
{
    QTemporaryDir dir;
    FileStore store(dir.path());
    mustSetUp(store.makeFolder(kBackupFolder));
    SystemClock clock;
    AccountStore accounts(store, clock, QLocale(QLocale::English, QLocale::UnitedStates));
    for (auto _ : state) {
        state.PauseTiming();
        writeAccounts(dir.path());
        state.ResumeTiming();
        if (!accounts.removeCustomer(1, kCustomers))
            state.SkipWithError("removal failed");
    }
}
BENCHMARK(BM_RemoveFirstCustomer)->Unit(benchmark::kMillisecond)->Iterations(5);

// Set All from the screen over 5,000 accounts: the question answered Yes,
// the shown account saved, one pass over the files, the first account shown.
void BM_SetAllAccounts(benchmark::State &state)
{
    ScreenFixture f(int(state.range(0)));
    f.navigator.show(CustomerScreen::kId);
    auto *setAll = f.screen->findChild<QPushButton *>(QStringLiteral("cmdCustomer_2"));
    for (auto _ : state)
        setAll->click();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SetAllAccounts)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_CatThreeFiles(benchmark::State &state)
{
    QTemporaryDir dir;
    writeAccounts(dir.path());
    for (auto _ : state)
        catFiles(dir.path(), {kCustomerFile, kCycleFile, kContractFile});
}
BENCHMARK(BM_CatThreeFiles)->Unit(benchmark::kMillisecond);

} // namespace

BRENVOY_BENCH_MAIN()
