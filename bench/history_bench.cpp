// The history screen at 100,000 financial and 100,000 service records:
// "Load Grid" clicked with the range set to one month, the grids filled and
// shown, against reading the two files with an in-process read loop.
#include "BenchSupport.h"
#include "base/Dates.h"
#include "customers/Records.h"
#include "history/History.h"
#include "history/HistoryView.h"
#include "ui/history/HistoryScreen.h"
#include "ui/shell/Navigator.h"

#include <QDateEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace ui;

namespace {

constexpr int kRecords = 100000;

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    mustSetUp(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}

struct Fixture : BenchContext {
    Fixture() : stack(new QStackedWidget(&window)), navigator(*stack, window)
    {
        QByteArray financial, service, customers;
        financial.reserve(qsizetype(kRecords) * 155);
        for (int i = 0; i < kRecords; ++i) {
            appendHistory(financial, service, i, QString::number(1000 + i % 500),
                          base::dates::toShortDateText(QDate(2020, 1, 1).addDays(i % 2500), locale));
        }
        for (int i = 0; i < 500; ++i) {
            customers::CustomerRecord c;
            c.acctNo = QString::number(1000 + i);
            customers += c.encode();
        }
        writeFile(root + history::kFinancialHistoryFile, financial);
        writeFile(root + history::kServiceHistoryFile, service);
        writeFile(root + customers::kCustomerFile, customers);
        screen = new HistoryScreen(ctx, navigator);
        navigator.add(HistoryScreen::kId, screen);
        window.show();
        navigator.show(HistoryScreen::kId);
        screen->findChild<QDateEdit *>(QStringLiteral("DTPicker1_0"))->setDate(QDate(2024, 3, 1));
        screen->findChild<QDateEdit *>(QStringLiteral("DTPicker1_1"))->setDate(QDate(2024, 3, 31));
    }
    QWidget window;
    QStackedWidget *stack;
    Navigator navigator;
    HistoryScreen *screen = nullptr;
};

void BM_LoadHistoryMonth(benchmark::State &state)
{
    Fixture f;
    auto *load = f.screen->findChild<QPushButton *>(QStringLiteral("cmdHistory_1"));
    for (auto _ : state) {
        QTest::mouseClick(load, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_LoadHistoryMonth)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reading and filtering alone, without the screen: the records a month
// and all time keep, with the totals.
void BM_SelectHistory(benchmark::State &state)
{
    Fixture f;
    const history::HistoryFilter filter = state.range(0) ? history::HistoryFilter{QDate(1990, 1, 1), QDate(2030, 1, 1), std::nullopt}
                                                         : history::HistoryFilter{QDate(2024, 3, 1), QDate(2024, 3, 31), std::nullopt};
    for (auto _ : state)
        benchmark::DoNotOptimize(history::selectHistory(f.store, filter, f.locale));
}
BENCHMARK(BM_SelectHistory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FloorHistoryFiles(benchmark::State &state)
{
    Fixture f;
    const QStringList files = {f.root + history::kFinancialHistoryFile, f.root + history::kServiceHistoryFile};
    for (auto _ : state)
        benchmark::DoNotOptimize(readLoop(files));
}
BENCHMARK(BM_FloorHistoryFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BRENVOY_BENCH_MAIN()
