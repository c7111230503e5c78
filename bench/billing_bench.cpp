// The billing screen's grid load at 32,767 accounts against reading the
// customer and cycle files with an in-process read loop, and a
// records-only run over 1,000 accounts (taxed, so each writes a tax record,
// a ledger entry and the ledger's backup).
#include "BenchSupport.h"
#include "billing/BillingRun.h"
#include "billing/PrintedRun.h"
#include "billing/RunVoid.h"
#include "printing/PainterSurface.h"
#include "customers/AccountStore.h"
#include "customers/Records.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <memory>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace billing;
using namespace customers;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    mustSetUp(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}

void writeAccounts(const QString &folder, int count)
{
    QByteArray customers, cycles;
    for (int i = 0; i < count; ++i) {
        CustomerRecord r;
        r.acctNo = QStringLiteral("ACCT-%1").arg(100000 + i);
        r.acctType = i % 3 ? CustomerRecord::kIndividual : CustomerRecord::kBusiness;
        r.name = QStringLiteral("Lakeside Property Management %1").arg(i);
        r.title = QStringLiteral("Mrs.");
        r.firstName = QStringLiteral("Patricia");
        r.middleInitial = QStringLiteral("J");
        r.lastName = QStringLiteral("Smith%1").arg(i);
        r.address1 = QStringLiteral("%1 North Meadowbrook Avenue").arg(i);
        r.address2 = QStringLiteral("Suite 4");
        r.cityOrAddr3 = QStringLiteral("Springfield");
        r.state = QStringLiteral("IL");
        r.zipOrAddr4 = QStringLiteral("62704");
        r.phone = QStringLiteral("217-555-0100");
        customers += r.encode();
        CycleRecord c;
        c.billingMode = std::int16_t(i % 4);
        c.startMonth = std::int16_t(i % 12);
        c.charge = base::Money::fromCents(4500 + i % 100);
        c.service = QStringLiteral("Weekly Mowing");
        c.chargeFor = QStringLiteral("Unit %1").arg(i % 50);
        cycles += c.encode();
    }
    writeFile(folder + kCustomerFile, customers);
    writeFile(folder + kCycleFile, cycles);
}

void BM_LoadCycleGrid(benchmark::State &state)
{
    BenchContext f;
    writeAccounts(f.root, AccountStore::kMaxCustomers);
    for (auto _ : state)
        benchmark::DoNotOptimize(CycleGrid::load(f.store, Monthly, 2, f.locale));
}
BENCHMARK(BM_LoadCycleGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FloorCustomerAndCycleFiles(benchmark::State &state)
{
    BenchContext f;
    writeAccounts(f.root, AccountStore::kMaxCustomers);
    const QStringList files = {f.root + kCustomerFile, f.root + kCycleFile};
    for (auto _ : state)
        benchmark::DoNotOptimize(readLoop(files));
}
BENCHMARK(BM_FloorCustomerAndCycleFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// A folder of accounts, every one selected, taxed at 7%.
struct RunFixture : BenchContext {
    explicit RunFixture(int accounts)
    {
        mustSetUp(store.makeFolder(store::kBackupFolder));
        writeAccounts(root, accounts);
        grid = CycleGrid::load(store, AllAccounts, 0, locale);
        for (CycleRow &r : grid.rows)
            r.selected = QStringLiteral("+");
        settings.date = QDate(2026, 3, 31);
        settings.rates.taxed = true;
        settings.rates.rate1 = 7;
        settings.tax1Name = QStringLiteral("Sales Tax");
        settings.month = 2;
        postings = std::get<std::vector<Posting>>(planRecordsRun(grid, settings, locale));
    }
    CycleGrid grid;
    RunSettings settings;
    std::vector<Posting> postings;
};

void BM_RecordsOnlyRun(benchmark::State &state)
{
    const int accounts = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto context = std::make_unique<RunFixture>(accounts);
        BenchContext &f = *context;
        const RunSettings &s = context->settings;
        const std::vector<Posting> &postings = context->postings;
        state.ResumeTiming();
        const RunOutcome out = postRun(f.store, postings, s, f.locale);
        if (!out.result || out.posted.size() != size_t(accounts))
            state.SkipWithError("the run failed");
        state.PauseTiming();
        context.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * accounts);
}
BENCHMARK(BM_RecordsOnlyRun)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// What loading the billing grid adds to find the accounts a run has billed
// for the month: the register read and the accounts of that month's runs,
// here one run of all 32,767 accounts (13 MB of account records).
void BM_BilledBeforeAtAFullRun(benchmark::State &state)
{
    BenchContext f;
    writeAccounts(f.root, AccountStore::kMaxCustomers);
    RunRecord run;
    run.runNo = 1;
    run.made = QDateTime(QDate(2026, 3, 31), QTime(9, 0));
    run.month = 2;
    run.firstAccount = 1;
    run.accountCount = AccountStore::kMaxCustomers;
    QByteArray accounts;
    for (int i = 0; i < AccountStore::kMaxCustomers; ++i) {
        RunAccountRecord a;
        a.runNo = 1;
        a.acctNo = QStringLiteral("ACCT-%1").arg(100000 + i);
        a.name = QStringLiteral("Lakeside Property Management %1").arg(i);
        a.invoiceNo = QStringLiteral("90-%1").arg(i + 1);
        accounts += a.encode();
    }
    writeFile(f.root + kRunsFile, run.encode());
    writeFile(f.root + kRunAccountsFile, accounts);
    for (auto _ : state) {
        const RunRegister reg = RunRegister::read(f.store);
        benchmark::DoNotOptimize(reg.billedFor(f.store, 2, 2026));
    }
}
BENCHMARK(BM_BilledBeforeAtAFullRun)->Unit(benchmark::kMillisecond)->UseRealTime();

// Voiding a records-only run of 1,000 accounts: the plan (every ledger's
// balance) and the one transaction.
void BM_VoidRun(benchmark::State &state)
{
    const int accounts = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto context = std::make_unique<RunFixture>(accounts);
        if (!postRun(context->store, context->postings, context->settings, context->locale).result)
            state.SkipWithError("the run failed");
        state.ResumeTiming();
        auto plan = planVoid(context->store, RunRegister::read(context->store), 1, 0, context->locale);
        if (!std::holds_alternative<VoidPlan>(plan)
            || !postVoid(context->store, std::get<VoidPlan>(plan), QDateTime(QDate(2026, 4, 2), QTime(9, 0)),
                         context->locale)
                    .result)
            state.SkipWithError("the void failed");
        state.PauseTiming();
        context.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * accounts);
}
BENCHMARK(BM_VoidRun)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A printed run of 200 invoices into one PDF, end to end: numbers, taxes,
// ledgers, rendering, completed invoices, journal.
void BM_PrintedRunToPdf(benchmark::State &state)
{
    const int accounts = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto context = std::make_unique<RunFixture>(accounts);
        BenchContext &f = *context;
        const RunSettings &s = context->settings;
        const std::vector<Posting> &postings = context->postings;
        setup::BusinessValues values = setup::BusinessValues::defaults(f.locale);
        values.businessName = QStringLiteral("Lakeside Property Management");
        values.printFontName = QStringLiteral("Liberation Sans");
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        state.ResumeTiming();
        QPdfWriter writer(&out);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        printing::DeviceInvoiceSink sink(writer, printing::DeviceInvoiceSink::Jobs::OneDocument, values, f.store, f.locale);
        const PrintedOutcome result = postPrintedRun(f.store, {postings, s, false}, f.locale, sink);
        if (!sink.finish() || !result.result || result.posted.size() != size_t(accounts))
            state.SkipWithError("the run failed");
        state.PauseTiming();
        context.reset();
        state.ResumeTiming();
    }
    state.counters["invoices_per_s"] =
        benchmark::Counter(double(state.iterations()) * accounts, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintedRunToPdf)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BRENVOY_BENCH_MAIN()
