// The billing rules and the records-only run: which accounts are due, the
// billed name, item pricing, the taxes, what the run writes, the posted-row
// rule, the check before any write, and a run killed in the middle.
#include "billing/BillingRun.h"
#include "customers/Records.h"
#include "ledger/Ledger.h"

#include "support/Accounts.h"
#include "support/ChangeHarness.h"
#include "support/Ledgers.h"

#include <functional>
#include <set>
#include <gtest/gtest.h>

using namespace billing;
using namespace customers;
using base::Money;

namespace {

const QDate kRunDay(2026, 3, 31);

// An individual with a title and initial, at 4 Elm St.
CustomerRecord named(const QString &acct, const QString &title, const QString &first, const QString &initial,
                     const QString &last)
{
    CustomerRecord r = person(acct, first, last);
    r.title = title;
    r.middleInitial = initial;
    r.address1 = QStringLiteral("4 Elm St");
    return r;
}

CycleRecord cycle(int mode, int start, qint64 cents, const QString &service = QStringLiteral("Weekly Mowing"))
{
    CycleRecord c = cycleOf(cents, service, mode, start);
    c.chargeFor = QStringLiteral("Unit 7");
    return c;
}

void writeAccounts(TestFolder &folder, const std::vector<std::pair<CustomerRecord, CycleRecord>> &accounts)
{
    QByteArray customers, cycles;
    for (const auto &[c, y] : accounts) {
        customers += c.encode();
        cycles += y.encode();
    }
    folder.write(kCustomerFile, customers);
    folder.write(kCycleFile, cycles);
}

// n accounts billed monthly at $10, numbered <prefix>0, <prefix>1, ...
// (with width digits when given).
void writeMonthly(TestFolder &folder, const QString &prefix, int n, int width = 0)
{
    std::vector<CustomerRecord> records;
    for (int i = 0; i < n; ++i)
        records.push_back(person(prefix + QStringLiteral("%1").arg(i, width, 10, QChar(u'0')), QStringLiteral("F"), QStringLiteral("L")));
    ::writeAccounts(folder, records, cycle(0, 0, 1000));
}

TaxRates flat(double rate1, bool second = false, double rate2 = 0)
{
    TaxRates r;
    r.taxed = true;
    r.rate1 = rate1;
    r.second = second;
    r.rate2 = rate2;
    return r;
}

RunSettings settingsWith(const TaxRates &rates)
{
    RunSettings s;
    s.date = kRunDay;
    s.rates = rates;
    s.tax1Name = QStringLiteral("Sales Tax");
    s.tax2Name = QStringLiteral("County Tax");
    return s;
}

// The monthly grid for January with every row chosen for billing.
CycleGrid everyRowChosen(TestFolder &folder)
{
    CycleGrid grid = CycleGrid::load(folder.store(), Monthly, 0, usLocale());
    for (CycleRow &r : grid.rows)
        r.selected = QStringLiteral("+");
    return grid;
}

std::vector<Posting> planAt7(const CycleGrid &grid)
{
    return std::get<std::vector<Posting>>(planRecordsRun(grid, settingsWith(flat(7)), usLocale()));
}

} // namespace

TEST(BillingRules, DueRule)
{
    auto monthsDue = [](int f, int b, int s) {
        QString months;
        for (int m = 0; m < 12; ++m) {
            if (isDue(f, m, b, s))
                months += monthAbbreviations()[m] + u' ';
        }
        return months.trimmed();
    };
    struct Case {
        int f, b, s;
        const char *months;
    } cases[] = {
        {Quarterly, 1, 0, "Jan Apr Jul Oct"},
        {Quarterly, 1, 11, "Mar Jun Sep Dec"},
        {SemiAnnually, 2, 8, "Mar Sep"},
        {Annually, 3, 4, "May"},
        {Quarterly, 1, -1, "Mar Jun Sep"}, // -1 compared like any value
        {SemiAnnually, 2, -1, "Jun"},
        {Annually, 3, -1, ""},
        {Monthly, 0, -1, "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec"},
        {Quarterly, 0, 0, ""}, // another mode is never due
        {AllAccounts, 4, 3, "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec"},
        {NoneMode, 4, 3, "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec"},
        {NoneMode, 0, 3, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(monthsDue(c.f, c.b, c.s), QString::fromLatin1(c.months)) << c.f << " " << c.b << " " << c.s;
}

TEST(BillingRules, ItemsAndTaxes)
{
    const Money ten = Money::fromCents(1000), eight = Money::fromCents(800);
    EXPECT_EQ(priceItem(ten, 5, eight, 5), Money::fromCents(5000)); // at the discount quantity: list price
    EXPECT_EQ(priceItem(ten, 5, eight, 6), Money::fromCents(4800));
    EXPECT_EQ(priceItem(ten, 5, eight, 10), Money::fromCents(8000));
    EXPECT_EQ(priceItem(ten, 0, eight, 10), Money::fromCents(10000)); // no discount quantity
    EXPECT_EQ(readUnits(QStringLiteral(" 12 ")), 12);
    for (const char *bad : {"0", "-1", "32768", "1.5", "", "two"})
        EXPECT_FALSE(readUnits(QString::fromLatin1(bad))) << bad;
    // Rounded to cents after each line, a half cent away from zero.
    EXPECT_EQ(sumItems({Money::fromRaw(12345), Money::fromRaw(10050)}), Money::fromCents(224));

    struct Case {
        const char *label;
        TaxRates rates;
        qint64 subtotalCents;
        qint64 tax1Raw, tax2Raw;
    } cases[] = {
        {"flat 7% on 49.99", flat(7), 4999, 34993, 0},
        {"6.5% on 10.01, half to even", flat(6.5), 1001, 6506, 0},
        {"second tax", flat(5, true, 2), 10000, 50000, 20000},
        {"second tax off", flat(5, false, 2), 10000, 50000, 0},
        {"untaxed", TaxRates{}, 10000, 0, 0},
    };
    TaxRates graduated = flat(5, false, 7);
    graduated.graduated = true;
    graduated.limit = Money::fromCents(10000);
    graduated.surcharge = Money::fromCents(200);
    for (const Case &c : cases) {
        const Taxes t = computeTaxes(Money::fromCents(c.subtotalCents), c.rates);
        EXPECT_EQ(t.tax1.raw(), c.tax1Raw) << c.label;
        EXPECT_EQ(t.tax2.raw(), c.tax2Raw) << c.label;
    }
    const Taxes at = computeTaxes(Money::fromCents(10000), graduated);
    EXPECT_EQ(at.tax1, Money::fromCents(500));
    EXPECT_EQ(at.tax2, Money());
    const Taxes above = computeTaxes(Money::fromCents(10001), graduated);
    EXPECT_EQ(above.tax1.raw(), 70007);
    EXPECT_EQ(above.tax2, Money::fromCents(200));
    EXPECT_EQ(computeTaxes(Money::fromCents(4999), flat(7)).total(Money::fromCents(4999)).raw(), 534893);

    // The settings must read as numbers before a run.
    setup::BusinessValues v = setup::BusinessValues::defaults(usLocale());
    v.taxServicesAndItems = 1;
    v.taxRate1 = QStringLiteral("6.5%");
    v.taxRate2 = QString();
    QString problem;
    const std::optional<TaxRates> read = readTaxRates(v, usLocale(), &problem);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->rate1, 6.5);
    EXPECT_EQ(read->rate2, 0);
    for (const char *bad : {"abc", "-5"}) {
        v.taxRate1 = QString::fromLatin1(bad);
        EXPECT_FALSE(readTaxRates(v, usLocale(), &problem)) << bad;
        EXPECT_TRUE(problem.contains(QString::fromLatin1(bad))) << problem.toStdString();
    }
    v.taxRate1 = QStringLiteral("5");
    v.applyGraduatedTax = 1;
    v.graduatedLimit = QStringLiteral("lots");
    EXPECT_FALSE(readTaxRates(v, usLocale(), &problem));
    v.taxServicesAndItems = 0; // untaxed: nothing else is read
    EXPECT_TRUE(readTaxRates(v, usLocale(), &problem));
}

TEST(CycleGrid, LoadsTheDueAccountsWithTheirNamesInRecordOrder)
{
    TestFolder folder;
    writeAccounts(folder, {{named("P1", "Mr.", "John", "", "Smith"), cycle(1, 0, 4500)},
                           {business("B1", "Acme Lawns"), cycle(0, -1, 2000)},
                           {named("P2", "", "Ann", "K", "Lee"), cycle(1, 2, 3000)}});
    const CycleGrid quarterly = CycleGrid::load(folder.store(), Quarterly, 3, usLocale()); // April
    ASSERT_EQ(quarterly.accountCount(), 3);
    EXPECT_EQ(quarterly.name(1), QStringLiteral("Mr. John Smith"));
    EXPECT_EQ(quarterly.name(2), QStringLiteral("Acme Lawns"));
    EXPECT_EQ(quarterly.name(3), QStringLiteral("Ann K. Lee"));
    const BillingAccount a = quarterly.account(1);
    EXPECT_EQ(a.acctNo, QStringLiteral("P1"));
    EXPECT_EQ(a.address1, QStringLiteral("4 Elm St"));
    EXPECT_EQ(a.reference, QStringLiteral("Unit 7"));
    ASSERT_EQ(quarterly.rows.size(), 1u);
    CycleRow row = quarterly.rows[0];
    EXPECT_EQ(row.rec, 1);
    EXPECT_EQ(quarterly.charge(row), QStringLiteral("$45.00"));
    EXPECT_EQ(quarterly.service(row), QStringLiteral("Weekly Mowing"));
    row.charge = QStringLiteral("$50.00"); // this run only
    EXPECT_EQ(quarterly.charge(row), QStringLiteral("$50.00"));
    const CycleGrid all = CycleGrid::load(folder.store(), AllAccounts, 3, usLocale());
    ASSERT_EQ(all.rows.size(), 3u);
    EXPECT_EQ(all.rows[2].rec, 3);
}

TEST(BillingRun, RecordsOnlyWritesTaxRecordsAndLedgerEntriesForPlusRowsOnly)
{
    TestFolder folder;
    writeAccounts(folder, {{named("P1", "Mr.", "John", "", "Smith"), cycle(0, 0, 4999)},
                           {person("P2", "Ann", "Lee"), cycle(0, 0, 1000)},
                           {person("P3", "Bo", "Ng"), cycle(0, 0, 1000)}});
    CycleGrid grid = CycleGrid::load(folder.store(), Monthly, 2, usLocale());
    ASSERT_EQ(grid.rows.size(), 3u);
    grid.rows[0].selected = QStringLiteral("+");
    grid.rows[1].selected = QStringLiteral("P"); // posted by an earlier run: never again
    const std::vector<Posting> postings = planAt7(grid);
    ASSERT_EQ(postings.size(), 1u);
    const RunOutcome out = postRun(folder.store(), postings, settingsWith(flat(7)), usLocale());
    ASSERT_TRUE(out.result) << out.result.error.toStdString();
    EXPECT_EQ(out.posted, std::vector<int>{0});

    const QByteArray taxes = folder.read(kTaxRecordsFile);
    ASSERT_EQ(taxes.size(), 75);
    EXPECT_EQ(TaxRecord::decode(taxes),
              (TaxRecord{QStringLiteral("Sales Tax"), QStringLiteral("3/31/2026"), QStringLiteral("Weekly Mowing"),
                         QStringLiteral("3.4993")}));
    EXPECT_EQ(taxes.mid(65, 10), QByteArray("3.4993    "));
    const QByteArray ledgerFile = folder.read(QStringLiteral("/BVActiveAccounts/P1.txt"));
    const std::vector<ledger::LedgerEntry> entries = ledgerEntries(ledgerFile);
    ASSERT_EQ(entries.size(), 2u); // the opening entry, then the bill
    const ledger::LedgerEntry &bill = entries[1];
    EXPECT_EQ(bill.acctName, QStringLiteral("Mr. John Smith"));
    EXPECT_EQ(bill.entryAmount, QStringLiteral("53.4893"));
    EXPECT_EQ(bill.entryText, QStringLiteral("Weekly Mowing Unit 7"));
    EXPECT_EQ(bill.entryDate, QStringLiteral("3/31/2026"));
    EXPECT_EQ(folder.read(QStringLiteral("/Backup/BVActiveAccounts/P1.txt")), ledgerFile);
    EXPECT_FALSE(folder.exists(QStringLiteral("/BVActiveAccounts/P2.txt")));
    EXPECT_FALSE(folder.exists(QStringLiteral("/BVActiveAccounts/P3.txt")));
    EXPECT_FALSE(folder.exists(store::kTransactionMarker));
    // Nothing printed-only was written.
    for (const char *file : {"/InvoiceSalesJournal.txt", "/SoldItems.txt", "/InvoiceCounter.txt", "/ManualInvoiceNo.txt"})
        EXPECT_FALSE(folder.exists(QString::fromLatin1(file))) << file;

    // Taxes off: the ledger entry, no tax record.
    CycleGrid again = CycleGrid::load(folder.store(), Monthly, 2, usLocale());
    again.rows[2].selected = QStringLiteral("+");
    ASSERT_TRUE(postRun(folder.store(), std::get<std::vector<Posting>>(planRecordsRun(again, settingsWith(TaxRates{}), usLocale())),
                        settingsWith(TaxRates{}), usLocale())
                    .result);
    EXPECT_EQ(folder.read(kTaxRecordsFile).size(), 75);
    EXPECT_EQ(ledger::LedgerEntry::decode(folder.read(QStringLiteral("/BVActiveAccounts/P3.txt")).mid(155)).entryAmount,
              QStringLiteral("10"));
}

TEST(BillingRun, TheWholeRunIsCheckedBeforeAnythingIsWritten)
{
    TestFolder folder;
    ::writeAccounts(folder, {person("P1", "A", "B"), person("../x", "A", "B")}, cycle(0, 0, 1000));
    struct Case {
        const char *label;
        int row;
        QString charge;
        const char *reason;
    } cases[] = {
        {"charge not an amount", 0, QStringLiteral("ten"), "is not an amount"},
        {"charge zero", 0, QStringLiteral("$0.00"), "above zero"},
        {"charge below zero", 0, QStringLiteral("($5.00)"), "above zero"},
        {"unsafe account number", 1, QStringLiteral("$10.00"), "cannot name a ledger file"},
        {"total too long", 0, QStringLiteral("$9,999,999,999.00"), "too long"},
    };
    for (const Case &c : cases) {
        CycleGrid grid = everyRowChosen(folder);
        grid.rows[size_t(c.row)].charge = c.charge;
        if (c.row == 0)
            grid.rows[1].selected.clear();
        const auto plan = planRecordsRun(grid, settingsWith(flat(7)), usLocale());
        ASSERT_TRUE(std::holds_alternative<RunProblem>(plan)) << c.label;
        EXPECT_EQ(std::get<RunProblem>(plan).row, c.row) << c.label;
        EXPECT_TRUE(std::get<RunProblem>(plan).reason.contains(QString::fromLatin1(c.reason)))
            << c.label << ": " << std::get<RunProblem>(plan).reason.toStdString();
    }
    EXPECT_FALSE(folder.exists(kTaxRecordsFile));
    EXPECT_FALSE(folder.exists(QStringLiteral("/BVActiveAccounts/P1.txt")));
}

TEST(BillingRun, StoppingAfterAnAccountKeepsWhatWasPostedAndAJournalAppendWritesOverATornTail)
{
    TestFolder folder;
    writeMonthly(folder, QStringLiteral("A"), 5);
    folder.write(kTaxRecordsFile, QByteArray(75, 'x') + QByteArray(30, 'y')); // one record and a torn tail
    const RunOutcome out = postRun(folder.store(), planAt7(everyRowChosen(folder)), settingsWith(flat(7)), usLocale(),
                                   [](int index, const Posting &) { return index < 2; });
    EXPECT_TRUE(out.cancelled);
    EXPECT_EQ(out.posted, (std::vector<int>{0, 1}));
    const QByteArray taxes = folder.read(kTaxRecordsFile);
    ASSERT_EQ(taxes.size(), 3 * 75); // the torn tail written over
    EXPECT_EQ(TaxRecord::decode(taxes.mid(75)).amount, QStringLiteral("0.7"));
    EXPECT_TRUE(folder.exists(QStringLiteral("/BVActiveAccounts/A1.txt")));
    EXPECT_FALSE(folder.exists(QStringLiteral("/BVActiveAccounts/A2.txt")));
    EXPECT_FALSE(folder.exists(store::kTransactionMarker));
    // An append counts whole records past 32,767 as well.
    folder.write(QStringLiteral("/Big.txt"), QByteArray(qsizetype(40000) * 4, 'z'));
    store::Transaction tx(folder.store(), QStringLiteral("a test"));
    tx.append(QStringLiteral("/Big.txt"), 4, "abcd");
    ASSERT_TRUE(tx.commit());
    EXPECT_EQ(folder.read(QStringLiteral("/Big.txt")).size(), qsizetype(40001) * 4);
}

// The child bills eight accounts over and over until it is killed;
// afterwards every ledger holds whole records and a current backup, every
// account was billed as often as the others (a run is finished at the next
// start), and the tax file holds exactly one record per bill.
TEST(BillingRun, KillingARunNeverLeavesAHalfPostedAccount)
{
    auto eight = [](TestFolder &folder) { writeMonthly(folder, QStringLiteral("K"), 8); };
    int billed = 0;
    killRounds(12, 9041, QStringLiteral("bill"), eight, [&](TestFolder &folder, int round, const store::FinishedWork &work) {
        std::vector<qsizetype> bills;
        for (int i = 0; i < 8; ++i) {
            const QString file = QStringLiteral("/BVActiveAccounts/K%1.txt").arg(i);
            const QByteArray ledger = folder.exists(file) ? folder.read(file) : QByteArray();
            ASSERT_EQ(ledger.size() % 155, 0) << "round " << round;
            if (!ledger.isEmpty()) {
                EXPECT_EQ(folder.read(QStringLiteral("/Backup") + file), ledger) << "round " << round;
            }
            bills.push_back(ledger.isEmpty() ? 0 : ledger.size() / 155 - 1);
        }
        EXPECT_EQ(std::count(bills.begin(), bills.end(), bills.front()), 8) << "round " << round;
        const QByteArray taxes = folder.exists(kTaxRecordsFile) ? folder.read(kTaxRecordsFile) : QByteArray();
        ASSERT_EQ(taxes.size() % 75, 0) << "round " << round;
        EXPECT_EQ(taxes.size() / 75, 8 * bills.front()) << "round " << round;
        // A run the start finished names every account it posted.
        if (!work.kind.isEmpty()) {
            EXPECT_EQ(recoveredRun(work).accounts.size(), 8) << "round " << round;
        }
        billed += int(bills.front());
    });
    EXPECT_GT(billed, 0);
}

namespace {

// Bills every "+" row of the grid, over and over as a user would after a
// stop, marking what each outcome says was posted (and what the start
// finished after it), until every row is marked. Returns the first
// outcome.
RunOutcome billUntilDone(TestFolder &folder, CycleGrid &grid, const std::function<void()> &afterFirst)
{
    RunOutcome first;
    for (int attempt = 0; attempt < 6; ++attempt) {
        const auto postings = planAt7(grid);
        if (postings.empty())
            break;
        const RunOutcome out = postRun(folder.store(), postings, settingsWith(flat(7)), usLocale());
        for (int row : out.posted)
            grid.rows[size_t(row)].selected = QStringLiteral("P");
        // A group left for the start: the user restarts, hears which
        // accounts it posted, and leaves them out of the next run.
        const RecoveredRun finished = recoveredRun(store::finishInterruptedWork(folder.store()));
        for (const Posting &p : postings) {
            if (finished.accounts.contains(p.entry.acctNo))
                grid.rows[size_t(p.row)].selected = QStringLiteral("P");
        }
        if (attempt == 0) {
            first = out;
            afterFirst();
        }
    }
    return first;
}

} // namespace

// A write or a sync that fails anywhere in a run of 150 accounts (three
// groups): what the outcome calls posted is exactly what the files hold,
// and after running again and restarting every account is billed once.
TEST(BillingRun, AFailedWriteOrSyncAnywhereBillsEveryAccountExactlyOnce)
{
    struct Scenario {
        int failWrite;   // the write that fails (0: none)
        bool onward;     // and every write after it, undo included
        int failSync;    // the folder sync that fails (0: none)
    };
    std::vector<Scenario> scenarios = {{3, true, 0}, {40, true, 0}, {200, true, 0}, {0, false, 2}, {0, false, 4}, {0, false, 6}};
    for (int n : {1, 2, 3, 4, 5, 9, 64, 130, 131, 190, 200, 260, 320, 380, 455})
        scenarios.push_back({n, false, 0});
    const int accounts = 150;
    auto ledgerOf = [](int i) { return QStringLiteral("/BVActiveAccounts/K%1.txt").arg(i, 3, 10, QChar(u'0')); };
    for (const Scenario &s : scenarios) {
        const std::string label = "write " + std::to_string(s.failWrite) + (s.onward ? " onward" : "") + " sync "
                                  + std::to_string(s.failSync);
        TestFolder folder;
        writeMonthly(folder, QStringLiteral("K"), accounts, 3);
        int writes = 0, syncs = 0;
        folder.store().setWriteFault([&](const QString &) -> std::optional<QString> {
            ++writes;
            if (s.failWrite > 0 && (writes == s.failWrite || (s.onward && writes > s.failWrite)))
                return QStringLiteral("No space left on device");
            return std::nullopt;
        });
        folder.store().setFolderSync([&](const QString &) { return !(s.failSync > 0 && ++syncs == s.failSync); });
        CycleGrid grid = everyRowChosen(folder);
        std::set<QString> billedAfterFirst;
        const RunOutcome first = billUntilDone(folder, grid, [&] {
            for (int i = 0; i < accounts; ++i) {
                const QString file = QStringLiteral("/BVActiveAccounts/K%1.txt").arg(i, 3, 10, QChar(u'0'));
                if (folder.exists(file))
                    billedAfterFirst.insert(file);
            }
            folder.store().setWriteFault({});
            folder.store().setFolderSync([](const QString &) { return true; });
        });
        // The first outcome: its posted rows are billed, and the only other
        // ledgers written are the ones it calls unconfirmed or not taken back.
        std::set<QString> claimed;
        for (int row : first.posted)
            claimed.insert(ledgerOf(row));
        std::set<QString> open;
        for (int row : first.unconfirmed)
            open.insert(ledgerOf(row));
        for (const QString &f : claimed)
            EXPECT_TRUE(billedAfterFirst.count(f)) << label << " " << f.toStdString();
        for (const QString &f : billedAfterFirst)
            EXPECT_TRUE(claimed.count(f) || open.count(f)) << label << " billed but not said: " << f.toStdString();
        if (s.failWrite > 0 && !s.onward) {
            EXPECT_TRUE(first.failedTakenBack) << label;
            EXPECT_TRUE(first.unconfirmed.empty()) << label;
        }
        // A restart finds nothing left to finish; every account is billed once.
        EXPECT_FALSE(store::finishInterruptedWork(folder.store()).any()) << label;
        for (int i = 0; i < accounts; ++i) {
            EXPECT_EQ(folder.read(ledgerOf(i)).size(), 2 * 155) << label << " " << i;
            EXPECT_EQ(folder.read(QStringLiteral("/Backup") + ledgerOf(i)), folder.read(ledgerOf(i))) << label;
        }
        EXPECT_EQ(folder.read(kTaxRecordsFile).size(), accounts * 75) << label;
        EXPECT_FALSE(folder.exists(store::kTransactionMarker)) << label;
    }
}

// One group of accounts is one change: a write or sync failing anywhere
// in it leaves every file as it was, or is completed by the start.
TEST(BillingRun, AFailedWriteOrSyncInAGroupChangesNothingOrIsCompleted)
{
    auto ten = [](TestFolder &folder) {
        writeMonthly(folder, QStringLiteral("G"), 10);
        folder.write(QStringLiteral("/BVActiveAccounts/G3.txt"), QByteArray(155 * 2, 'e'));
    };
    failEveryWay(ten, [](TestFolder &folder) {
        return postRun(folder.store(), planAt7(everyRowChosen(folder)), settingsWith(flat(7)), usLocale()).result;
    });
}

// A charge whose text the balance rule would subtract is refused before
// anything is written, naming the service; payments keep their words.
TEST(BillingRun, AServiceTheBalanceWouldCountAsAPaymentIsRefused)
{
    for (const char *service : {"Credit Check Fee", "Payment Plan Setup", "Discount Mowing"}) {
        TestFolder folder;
        writeAccounts(folder, {{person("P1", "A", "B"), cycle(0, 0, 1000)},
                               {person("P2", "C", "D"), cycle(0, 0, 1000, QString::fromLatin1(service))}});
        const auto plan = planRecordsRun(everyRowChosen(folder), settingsWith(flat(7)), usLocale());
        ASSERT_TRUE(std::holds_alternative<RunProblem>(plan)) << service;
        EXPECT_EQ(std::get<RunProblem>(plan).row, 1);
        EXPECT_TRUE(std::get<RunProblem>(plan).reason.contains(QString::fromLatin1(service)));
        EXPECT_TRUE(std::get<RunProblem>(plan).reason.contains(
            QStringLiteral("would be counted as a payment or credit in the account's balance; choose another description")))
            << std::get<RunProblem>(plan).reason.toStdString();
    }
    EXPECT_EQ(ledger::chargeTextProblem(QStringLiteral("Weekly Mowing Unit 7")), std::nullopt);
    EXPECT_EQ(ledger::chargeTextProblem(QStringLiteral("credit check fee")), std::nullopt); // the rule counts letter case
}
