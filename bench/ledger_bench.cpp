// The payment screen's list: 5,000 ledgers of 50 entries each, read with
// their balances, against `cat` of the same files.
#include "BenchSupport.h"
#include "base/Clock.h"
#include "ledger/PaymentBatch.h"
#include "ui/shell/Navigator.h"
#include "ui/payments/PaymentScreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace ledger;
using namespace ui;

namespace {

constexpr int kLedgers = 5000;
constexpr int kEntries = 50;
const QLocale kUs(QLocale::English, QLocale::UnitedStates);

void writeLedgers(const QString &folder)
{
    QDir().mkpath(folder + kActiveAccountsFolder);
    const QDate day(2026, 3, 1);
    for (int i = 0; i < kLedgers; ++i) {
        const QString acct = QString::number(100000 + i);
        QByteArray file;
        for (int e = 0; e < kEntries; ++e) {
            const bool payment = e % 2 == 0 && e > 0;
            file += ledger::makeEntry(acct, QStringLiteral("Customer ") + acct,
                                      payment ? QStringLiteral("$35.00") : QStringLiteral("35.125"),
                                      payment ? QStringLiteral("Payment Check# 1001") : QStringLiteral("Weekly Mowing"),
                                      day.addDays(e), kUs)
                        .encode();
        }
        QFile f(folder + kActiveAccountsFolder + u'/' + acct + QStringLiteral(".txt"));
        f.open(QIODevice::WriteOnly);
        f.write(file);
    }
}

struct Fixture : BenchContext {
    Fixture() { writeLedgers(dir.path()); }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_ListOpenAccounts(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ledger::openAccounts(f.store, kUs));
    state.SetItemsProcessed(state.iterations() * kLedgers);
}
BENCHMARK(BM_ListOpenAccounts)->Unit(benchmark::kMillisecond);

// The screen's activation: recovery check, the listing, the grid model.
void BM_PaymentScreenLoad(benchmark::State &state)
{
    Fixture &f = fixture();
    QWidget window;
    auto *stack = new QStackedWidget(&window);
    Navigator navigator(*stack, window);
    auto *screen = new PaymentScreen(f.ctx, navigator);
    navigator.add(screen->kId, screen);
    for (auto _ : state)
        navigator.show(screen->kId);
}
BENCHMARK(BM_PaymentScreenLoad)->Unit(benchmark::kMillisecond);

// A batch of 1,000 payments, each to its own ledger of 50 entries, as one
// change: ledgers, their backup copies and the journal.
void BM_PaymentBatch(benchmark::State &state)
{
    Fixture &f = fixture();
    const QDate day(2026, 3, 20);
    std::vector<Payment> batch;
    for (int i = 0; i < 1000; ++i) {
        const QString acct = QString::number(100000 + i * 5);
        batch.push_back({ledgerFile(acct), makeEntry(acct, QStringLiteral("Customer ") + acct, QStringLiteral("$35.00"),
                                                     QStringLiteral("Payment Cash"), day, kUs)});
    }
    for (auto _ : state) {
        if (!writePayments(f.store, batch, day, kUs))
            state.SkipWithError("the batch failed");
    }
    state.SetItemsProcessed(state.iterations() * qint64(batch.size()));
}
BENCHMARK(BM_PaymentBatch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_CatLedgers(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString command = QStringLiteral("cat '%1'/* > /dev/null").arg(f.dir.path() + kActiveAccountsFolder);
    for (auto _ : state) {
        if (std::system(command.toLocal8Bit().constData()) != 0)
            std::abort();
    }
}
BENCHMARK(BM_CatLedgers)->Unit(benchmark::kMillisecond);

} // namespace

BRENVOY_BENCH_MAIN()
