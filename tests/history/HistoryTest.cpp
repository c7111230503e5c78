// The history files as the history screen reads them: the date range and
// account filter, the net total by the ledger's sign rule, unreadable
// dates and amounts, the report periods, the purge of one account, and the
// CSV export read back by Python's csv module.
#include "history/History.h"
#include "ledger/LedgerEntry.h"

#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace history;

namespace {

QByteArray financial(const char *acct, const char *date, const char *text, const char *amount)
{
    return ledger::LedgerEntry{QStringLiteral("Name ") + QString::fromLatin1(acct), QString::fromLatin1(acct),
                               QString::fromLatin1(date), QString::fromLatin1(text), QString::fromLatin1(amount)}
        .encode();
}

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
    const QByteArray fin = folder.read(kFinancialHistoryFile);
    ASSERT_EQ(fin.size(), 3 * 155);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ledger::LedgerEntry::decode(fin.mid(i * 155, 155)).acctNo, QStringLiteral("1002")) << i;
    EXPECT_EQ(ledger::LedgerEntry::decode(fin.mid(155, 155)).entryDate, QStringLiteral("10/31/2026"));
    EXPECT_EQ(folder.read(kServiceHistoryFile).size(), 145);
    EXPECT_FALSE(folder.exists(QStringLiteral("/Backup/CAHistory.txt")));
    purgeAllHistory(folder.store());
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
// it is killed: the file is then the whole history or the purged one, never
// neither and never a mixture.
TEST(History, KillingAPurgeLeavesTheOldFileOrTheNew)
{
    const QString helper = QCoreApplication::applicationDirPath() + QStringLiteral("/brenvoy_save_loop");
    QRandomGenerator rng(3301);
    for (int round = 0; round < 12; ++round) {
        TestFolder folder;
        QProcess child;
        child.start(helper, {QStringLiteral("purgehistory"), folder.path()});
        ASSERT_TRUE(child.waitForStarted(10000));
        ASSERT_TRUE(child.waitForReadyRead(20000));
        QThread::usleep(1000 + rng.bounded(40000));
        child.kill();
        child.waitForFinished(10000);
        ASSERT_TRUE(folder.exists(kFinancialHistoryFile)) << "round " << round;
        const QByteArray file = folder.read(kFinancialHistoryFile);
        ASSERT_TRUE(file.size() == 200 * 155 || file.size() == 100 * 155) << "round " << round << ": " << file.size();
        int a = 0;
        for (qsizetype i = 0; i < file.size() / 155; ++i)
            a += ledger::LedgerEntry::decode(file.mid(i * 155, 155)).acctNo == QStringLiteral("A");
        EXPECT_EQ(a, file.size() == 200 * 155 ? 100 : 0) << "round " << round;
    }
}

// Dates read from the bytes agree with the locale's reader: a leap day, a
// day that does not exist, a two-digit year, and a German short date.
TEST(History, DatesReadAsTheLocaleReadsThem)
{
    TestFolder folder;
    folder.write(kFinancialHistoryFile, financial("1", "2/29/2028", "A", "1") + financial("1", "2/30/2026", "B", "1")
                                            + financial("1", "3/1/26", "C", "1") + financial("1", "12/31/1999", "D", "1"));
    const History us = loadHistory(folder.store(), {QDate(1990, 1, 1), QDate(2030, 1, 1), std::nullopt}, usLocale());
    ASSERT_EQ(us.financial.size(), 4u);
    EXPECT_EQ(us.financial[0].date, QDate(2028, 2, 29));
    EXPECT_FALSE(us.financial[1].date.isValid());
    EXPECT_EQ(us.financial[2].date, QDate(2026, 3, 1));
    EXPECT_EQ(us.financial[3].date, QDate(1999, 12, 31));
    const QLocale german(QLocale::German, QLocale::Germany);
    folder.write(kFinancialHistoryFile, financial("1", "31.12.2026", "A", "1"));
    const History de = loadHistory(folder.store(), {QDate(1990, 1, 1), QDate(2030, 1, 1), std::nullopt}, german);
    ASSERT_EQ(de.financial.size(), 1u);
    EXPECT_EQ(de.financial[0].date, QDate(2026, 12, 31));
}

TEST(History, DamagedDateTextsReadAsUnreadable)
{
    TestFolder folder;
    const char *damaged[] = {"5/1/2024     $", "5/1/2024/7", "1/1/12345678901", "99999999999/1/2024",
                             "5/99999999999/2024", "12/31/2026x"};
    QByteArray file;
    for (const char *d : damaged)
        file += financial("1", d, "A", "1");
    folder.write(kFinancialHistoryFile, file);
    const History h = loadHistory(folder.store(), {QDate(1990, 1, 1), QDate(2030, 1, 1), std::nullopt}, usLocale());
    ASSERT_EQ(h.financial.size(), std::size(damaged)); // shown, with the date marked
    for (size_t i = 0; i < std::size(damaged); ++i)
        EXPECT_FALSE(h.financial[i].date.isValid()) << damaged[i];
}

TEST(History, PurgingOneAccountKeepsEveryOtherRecordPast32767AndNoFragment)
{
    TestFolder folder;
    QByteArray file;
    file.reserve(40'011 * 155);
    for (int i = 0; i < 40'011; ++i)
        file += i % 10'000 == 17 ? financial("GONE", "1/2/2026", "Mowing", "10")
                                 : financial(i % 2 ? "1001" : "1002", "1/2/2026", "Mowing", "10");
    const QByteArray others = file.mid(155, 155);
    file += others.left(120); // a torn piece longer than half a record
    folder.write(kFinancialHistoryFile, file);
    ASSERT_TRUE(purgeAccountHistory(folder.store(), QStringLiteral("GONE")));
    const QByteArray kept = folder.read(kFinancialHistoryFile);
    ASSERT_EQ(kept.size(), qsizetype(40'011 - 4) * 155);
    EXPECT_EQ(kept.count(QByteArray("GONE")), 0);
    EXPECT_EQ(kept.right(155), file.mid(qsizetype(40'010) * 155, 155)); // the last whole record, in order
}
