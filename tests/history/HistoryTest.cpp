// The history files as the history screen reads them: the date range and
// account filter, the net total by the ledger's sign rule, unreadable
// dates and amounts, the report periods, the purge of one account, and the
// CSV export read back by Python's csv module.
#include "history/History.h"
#include "history/HistoryView.h"
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

// Every row the filter keeps, as the screen's grids show them.
History loadHistory(const store::FileStore &store, const HistoryFilter &filter, const QLocale &locale)
{
    const Selection s = selectHistory(store, filter, locale);
    return {s.service.rows(locale), s.financial.rows(locale), s.totals};
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

// A record's date and account read straight from its bytes: each field as
// the record reader gives it (up to a NUL, blanks trimmed), dates in the
// locale's order, anything unusual read by the locale's reader. March 2026
// is asked for; a date that cannot be read keeps its record.
TEST(History, DatesAndAccountsReadFromTheBytesAsTheRecordReaderReadsThem)
{
    struct Case {
        QByteArray date;
        bool kept, readable;
    };
    const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
    const std::pair<QLocale, std::vector<Case>> locales[] = {
        {usLocale(),
         {{"3/1/2026", true, true},     {" 3/1/2026", true, true},      {QByteArray("3/1/2026\0junk", 13), true, true},
          {"3/31/2026", true, true},    {"4/1/2026", false, true},      {"2/28/2026", false, true},
          {"03/05/2026", true, true},   {"3/1/26", true, true},         {"2026-03-05", true, true},
          {"2026-04-05", false, true},  {"3/1/2026 x", true, false},    {"13/1/2026", true, false},
          {"3/1/20261", true, false},   {"3//2026", true, false},       {"", true, false}}},
        {uk, {{"01/03/2026", true, true}, {"03/01/2026", false, true}, {"31/3/2026", true, true}, {"3/31/2026", true, false}}},
    };
    for (const auto &[locale, cases] : locales) {
        TestFolder folder;
        QByteArray file;
        for (size_t i = 0; i < cases.size(); ++i) {
            QByteArray record = ledgerRecord(QStringLiteral("A%1").arg(i), QString(), QStringLiteral("Mowing"), QStringLiteral("1"));
            record.replace(70, 15, cases[i].date.leftJustified(15, ' ', true));
            file += record;
        }
        folder.write(kFinancialHistoryFile, file);
        const History h = loadHistory(folder.store(), {QDate(2026, 3, 1), QDate(2026, 3, 31), std::nullopt}, locale);
        QStringList kept;
        for (const HistoryRow &r : h.financial)
            kept.append(r.acctNo);
        for (size_t i = 0; i < cases.size(); ++i) {
            const QString acct = QStringLiteral("A%1").arg(i);
            EXPECT_EQ(kept.contains(acct), cases[i].kept) << cases[i].date.toStdString() << " " << locale.name().toStdString();
            for (const HistoryRow &r : h.financial) {
                if (r.acctNo == acct)
                    EXPECT_EQ(r.date.isValid(), cases[i].readable) << cases[i].date.toStdString();
            }
        }
    }
    // The account filter: the field's text exactly, however the field is padded.
    TestFolder folder;
    QByteArray file;
    for (const QByteArray &acct : {QByteArray("1001"), QByteArray(" 1001"), QByteArray("1001\0x", 6), QByteArray("1001 x"),
                                   QByteArray("10011"), QByteArray("100")}) {
        QByteArray record = ledgerRecord(QStringLiteral("X"), QStringLiteral("3/2/2026"), QString::fromLatin1(acct.toHex()), QStringLiteral("1"));
        record.replace(45, 25, acct.leftJustified(25, ' ', true));
        file += record;
    }
    folder.write(kFinancialHistoryFile, file);
    QStringList texts;
    for (const HistoryRow &r : loadHistory(folder.store(), {QDate(2026, 3, 1), QDate(2026, 3, 31), QStringLiteral("1001")}, usLocale()).financial)
        texts.append(r.text);
    EXPECT_EQ(texts, (QStringList{QStringLiteral("31303031"), QStringLiteral("2031303031"), QStringLiteral("313030310078")}));
}

// The grid's rows read from the open file: each row as the whole list
// gives it, the rows whose text breaks a line named, and a file replaced
// after the view was made (a purge) still read as it was.
TEST(History, AViewReadsItsRowsFromTheFileAsItWasWhenMade)
{
    TestFolder folder;
    writeHistory(folder);
    QByteArray file = folder.read(kFinancialHistoryFile);
    file += financial("1003", "11/3/2026", "Two\nlines", "7");
    folder.write(kFinancialHistoryFile, file);
    const Selection s = selectHistory(folder.store(), {QDate(2026, 11, 1), QDate(2026, 11, 30), std::nullopt}, usLocale());
    const std::vector<HistoryRow> all = s.financial.rows(usLocale());
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(s.financial.multiLine(), (std::vector<qint32>{5}));
    ASSERT_TRUE(purgeAllHistory(folder.store()));
    for (qsizetype i = 0; i < s.financial.size(); ++i) {
        const HistoryRow r = s.financial.row(i, usLocale());
        EXPECT_EQ(std::tie(r.acctNo, r.dateText, r.text, r.extra), std::tie(all[size_t(i)].acctNo, all[size_t(i)].dateText, all[size_t(i)].text, all[size_t(i)].extra)) << i;
    }
    EXPECT_EQ(s.financial.row(5, usLocale()).text, QStringLiteral("Two\nlines"));
    EXPECT_EQ(s.totals.net, base::Money::fromCents(9200)); // 100 + 50 - 60 - 5 + 7, the unreadable left out
}
