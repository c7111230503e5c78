// Start-up costs: the folder pass over the customer file, and the small
// file operations every screen calls freely.
#include "BenchSupport.h"
#include "app/StartUp.h"
#include "customers/Records.h"
#include "base/ValueList.h"
#include "setup/SettingsFiles.h"
#include "store/FileStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace base;
using namespace store;
using namespace setup;
using namespace customers;
using namespace app;

namespace {

void writeCustomers(const QString &folder, int count)
{
    QByteArray file;
    file.reserve(qsizetype(count) * CustomerRecord::kLength);
    for (int i = 0; i < count; ++i) {
        CustomerRecord r;
        r.acctNo = QString::number(100000 + i);
        file += r.encode();
    }
    QFile f(folder + kCustomerFile);
    f.open(QIODevice::WriteOnly);
    f.write(file);
}

// Every start after the first: 10,000 customers whose folders exist.
void BM_FolderPassExisting(benchmark::State &state)
{
    QTemporaryDir dir;
    writeCustomers(dir.path(), int(state.range(0)));
    FileStore store(dir.path());
    app::createFolders(store, QStringLiteral("Brenvoy"), 2026);
    for (auto _ : state)
        benchmark::DoNotOptimize(app::createFolders(store, QStringLiteral("Brenvoy"), 2026));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FolderPassExisting)->Arg(10000)->Unit(benchmark::kMillisecond);

// The first start, which must create 70,000 folders.
void BM_FolderPassFirstStart(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        writeCustomers(dir.path(), int(state.range(0)));
        FileStore store(dir.path());
        state.ResumeTiming();
        benchmark::DoNotOptimize(app::createFolders(store, QStringLiteral("Brenvoy"), 2026));
        state.PauseTiming();
        dir.remove();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FolderPassFirstStart)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RecordCount(benchmark::State &state)
{
    QTemporaryDir dir;
    writeCustomers(dir.path(), 1000);
    FileStore store(dir.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.recordCount(QStringLiteral("\\customerdata.TXT"), 328));
}
BENCHMARK(BM_RecordCount);

void BM_RecordCountExactCase(benchmark::State &state)
{
    QTemporaryDir dir;
    writeCustomers(dir.path(), 1000);
    FileStore store(dir.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.recordCount(QStringLiteral("/CustomerData.txt"), 328));
}
BENCHMARK(BM_RecordCountExactCase);

void BM_DataFileExistsMissing(benchmark::State &state)
{
    QTemporaryDir dir;
    FileStore store(dir.path());
    mustSetUp(store.makeFolder(kBackupFolder));
    for (auto _ : state)
        benchmark::DoNotOptimize(store.dataFileExists(QStringLiteral("/Services.txt")));
}
BENCHMARK(BM_DataFileExistsMissing);

void BM_ValueListRoundTrip(benchmark::State &state)
{
    for (auto _ : state) {
        valuelist::Writer w;
        w.text(QStringLiteral("Sales Tax")).text(QStringLiteral("Tax")).text(QStringLiteral("4.0"))
            .text(QStringLiteral("5,0")).integer(1).integer(0).endLine();
        valuelist::Reader r(w.bytes());
        benchmark::DoNotOptimize(r.text());
        benchmark::DoNotOptimize(r.text());
        benchmark::DoNotOptimize(r.text());
        benchmark::DoNotOptimize(r.text());
        benchmark::DoNotOptimize(r.integer(0));
        benchmark::DoNotOptimize(r.integer(0));
    }
}
BENCHMARK(BM_ValueListRoundTrip);

void BM_SettingsLoadAll(benchmark::State &state)
{
    QTemporaryDir dir;
    FileStore store(dir.path());
    mustSetUp(store.makeFolder(kBackupFolder));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    BusinessValues v = BusinessValues::defaults(us);
    setup::saveAllSettings(store, v);
    for (auto _ : state) {
        BusinessValues loaded = BusinessValues::defaults(us);
        setup::loadAll(store, loaded, us);
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_SettingsLoadAll)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
