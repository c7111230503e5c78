// The history files as the history screen reads them: the date range and
// account filter, the net total by the ledger's sign rule, unreadable
// dates and amounts, the report periods, the purge of one account, and the
// CSV export read back by Python's csv module.
#include "history/History.h"
#include "ledger/LedgerEntry.h"

#include "support/ChangeHarness.h"
#include "support/Ledgers.h"

#include <QProcess>
#include <algorithm>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace history;

namespace {

const auto financial = ledgerRecord;

QByteArray service(const char *acct, const char *date, const char *what)
{
    return ServiceHistoryRecord{QStringLiteral("Name ") + QString::fromLatin1(acct), QString::fromLatin1(acct),
                                QString::fromLatin1(date), QString::fromLatin1(what), QStringLiteral("Sam")}
        .encode();
}

void writeHistory(TestFolder &folder)
{
    folder.write(kFinancialHistoryFile,
                 financial("1001", "11/1/2026", "Weekly Mowing", "100") + financial("1002", "11/15/2026", "Pool Care", "50")
                     + financial("1001", "11/30/2026", "Payment Check# 12", "$60.00")
                     + financial("1001", "12/1/2026", "Weekly Mowing", "100") // after the range
                     + financial("1002", "10/31/2026", "Pool Care", "50")      // before it
                     + financial("1001", "someday", "Credit Adjustment", "5")   // no date: shown
                     + financial("1002", "11/20/2026", "Fertiliser", "lots"));  // no amount
    folder.write(kServiceHistoryFile, service("1001", "11/1/2026", "Mowing") + service("1002", "11/30/2026", "Pool"));
}

} // namespace

TEST(History, RangeAccountFilterAndTheNetTotal)
{
    TestFolder folder;
    writeHistory(folder);
    const auto [start, end] = reportPeriod(0, QDate(2026, 12, 7));
    const History all = loadHistory(folder.store(), {start, end, std::nullopt}, usLocale());
    ASSERT_EQ(all.financial.size(), 5u);
    EXPECT_EQ(all.financial[0].dateText, QStringLiteral("11/1/2026"));  // on the start date
    EXPECT_EQ(all.financial[2].dateText, QStringLiteral("11/30/2026")); // on the end date
    EXPECT_FALSE(all.financial[3].date.isValid()); // shown without the date filter
    EXPECT_FALSE(all.financial[4].amount);
    // 100 + 50 - 60 - 5 = 85; billed 150, received 65; one amount left out.
    EXPECT_EQ(all.totals.net, base::Money::fromCents(8500));
    EXPECT_EQ(all.totals.billed, base::Money::fromCents(15000));
    EXPECT_EQ(all.totals.received, base::Money::fromCents(6500));
    EXPECT_EQ(all.totals.unreadable, 1);
    EXPECT_EQ(all.service.size(), 2u);

    const History one = loadHistory(folder.store(), {start, end, QStringLiteral("1001")}, usLocale());
    ASSERT_EQ(one.financial.size(), 3u);
    EXPECT_EQ(one.totals.net, base::Money::fromCents(3500));
    EXPECT_EQ(one.service.size(), 1u);

    // Reading never writes.
    TestFolder empty;
    EXPECT_TRUE(loadHistory(empty.store(), {start, end, std::nullopt}, usLocale()).financial.empty());
    EXPECT_FALSE(empty.exists(kFinancialHistoryFile));
}

TEST(History, ReportPeriods)
{
    struct Case {
        int index;
        QDate today, start, end;
    } cases[] = {
        {0, QDate(2027, 1, 15), QDate(2026, 12, 1), QDate(2026, 12, 31)},
        {0, QDate(2028, 3, 1), QDate(2028, 2, 1), QDate(2028, 2, 29)},
        {1, QDate(2026, 12, 7), QDate(2026, 12, 1), QDate(2026, 12, 7)},
        {2, QDate(2026, 12, 7), QDate(2026, 1, 1), QDate(2026, 12, 7)},
        {3, QDate(2026, 12, 7), QDate(1990, 1, 1), QDate(2026, 12, 7)},
    };
    for (const Case &c : cases) {
        const auto [start, end] = reportPeriod(c.index, c.today);
        EXPECT_EQ(start, c.start) << c.index;
        EXPECT_EQ(end, c.end) << c.index;
    }
}

TEST(History, PurgingOneAccountKeepsTheOthersInOrder)
{
    TestFolder folder;
    writeHistory(folder);
    folder.write(QStringLiteral("/Backup/CAHistory.txt"), "old copy");
    ASSERT_TRUE(purgeAccountHistory(folder.store(), QStringLiteral(" 1001 ")));
    const std::vector<ledger::LedgerEntry> left = ledgerEntries(folder.read(kFinancialHistoryFile));
    ASSERT_EQ(left.size(), 3u);
    for (const ledger::LedgerEntry &e : left)
        EXPECT_EQ(e.acctNo, QStringLiteral("1002"));
    EXPECT_EQ(left[1].entryDate, QStringLiteral("10/31/2026"));
    EXPECT_EQ(folder.read(kServiceHistoryFile).size(), 145);
    EXPECT_FALSE(folder.exists(QStringLiteral("/Backup/CAHistory.txt")));
    ASSERT_TRUE(purgeAllHistory(folder.store()));
    EXPECT_FALSE(folder.exists(kFinancialHistoryFile));
    EXPECT_FALSE(folder.exists(kServiceHistoryFile));
}

TEST(History, CsvReadsBackExactlyWithPythonsCsvModule)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    ASSERT_FALSE(python.isEmpty());
    std::vector<HistoryRow> rows = {
        {QStringLiteral("1001"), QStringLiteral("Smith, Ann"), QStringLiteral("11/1/2026"), QStringLiteral("Said \"hi\"\nthen left"),
         QStringLiteral("53.4893"), QDate(2026, 11, 1), base::Money::fromRaw(534893)},
    };
    TestFolder folder;
    folder.write(QStringLiteral("/out.csv"), toCsv(rows, true));
    QProcess p;
    p.start(python, {QStringLiteral("-c"),
                     QStringLiteral("import csv,sys,json; print(json.dumps(list(csv.reader(open(sys.argv[1], newline=''))), "
                                    "ensure_ascii=False))"),
                     folder.path() + QStringLiteral("/out.csv")});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
              QStringLiteral("[[\"Account\", \"Name\", \"Date\", \"Invoice Number/Reference\", \"Amount\"], "
                             "[\"1001\", \"Smith, Ann\", \"2026-11-01\", \"Said \\\"hi\\\"\\nthen left\", \"53.4893\"]]"));
}

// A child writes two accounts' history and purges one, over and over, until
// it is killed: once the start has finished what it left, the file is the
// whole history or the purged one, never neither and never a mixture. A
// write or sync failing in either purge changes nothing, or is completed.
TEST(History, APurgeKilledOrFailingLeavesTheOldFilesOrTheNew)
{
    killRounds(12, 3301, QStringLiteral("purgehistory"), [](TestFolder &) {},
               [](TestFolder &folder, int round, const store::FinishedWork &) {
                   ASSERT_TRUE(folder.exists(kFinancialHistoryFile)) << "round " << round;
                   const QByteArray file = folder.read(kFinancialHistoryFile);
                   ASSERT_TRUE(file.size() == 200 * 155 || file.size() == 100 * 155) << "round " << round << ": " << file.size();
                   const std::vector<ledger::LedgerEntry> entries = ledgerEntries(file);
                   const auto a = std::count_if(entries.begin(), entries.end(), [](const auto &e) { return e.acctNo == u"A"; });
                   EXPECT_EQ(a, file.size() == 200 * 155 ? 100 : 0) << "round " << round;
               });
    auto setUp = [](TestFolder &folder) {
        writeHistory(folder);
        folder.write(QStringLiteral("/Backup/CAHistory.txt"), "old copy");
    };
    failEveryWay(setUp, [](TestFolder &f) { return purgeAccountHistory(f.store(), QStringLiteral("1001")); });
    failEveryWay(setUp, [](TestFolder &f) { return purgeAllHistory(f.store()); });
}
