// The printed run: invoice numbers, the completed-invoice file, the sold
// items, the journal and the stock, a print error half way, and a kill.
#include "billing/PrintedRun.h"
#include "catalog/CatalogRecords.h"
#include "customers/Records.h"

#include "billing/RunFixture.h"
#include "support/ChangeHarness.h"

#include <QDir>
#include <QSet>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace billing;
using namespace customers;
using base::Money;

TEST(InvoiceNumbers, AutomaticAndSequentialSchemes)
{
    TestFolder folder;
    const store::FileStore &store = folder.store();
    EXPECT_EQ(reserveInvoiceNo(store, false, kDay339).invoiceNo, QStringLiteral("339-1"));
    EXPECT_EQ(reserveInvoiceNo(store, false, kDay339).invoiceNo, QStringLiteral("339-2"));
    EXPECT_EQ(folder.read(kInvoiceCounterFile), QByteArray("339,3\r\n"));
    // A counter from another day restarts at 1; 31 December of a leap year is day 366.
    folder.write(kInvoiceCounterFile, "338,7\r\n");
    EXPECT_EQ(reserveInvoiceNo(store, false, kDay339).invoiceNo, QStringLiteral("339-1"));
    EXPECT_EQ(reserveInvoiceNo(store, false, QDate(2028, 12, 31)).invoiceNo, QStringLiteral("366-1"));
    // A number whose completed invoice exists (a later year, an old backup) is passed over.
    folder.write(QStringLiteral("/CompletedInvoices/366-2.txt"), "old");
    EXPECT_EQ(reserveInvoiceNo(store, false, QDate(2028, 12, 31)).invoiceNo, QStringLiteral("366-3"));
    EXPECT_EQ(peekInvoiceNos(store, false, QDate(2028, 12, 31), 2), (QStringList{QStringLiteral("366-4"), QStringLiteral("366-5")}));
    // A counter that cannot be read stops the numbering, naming the file.
    folder.write(kInvoiceCounterFile, "garbage\r\n");
    const DrawnNumber bad = reserveInvoiceNo(store, false, kDay339);
    EXPECT_FALSE(bad.result);
    EXPECT_TRUE(bad.result.error.contains(QStringLiteral("InvoiceCounter.txt")));
    EXPECT_EQ(folder.read(kInvoiceCounterFile), QByteArray("garbage\r\n"));

    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(reserveInvoiceNo(store, true, kDay339).invoiceNo, QString::number(100000 + i));
    EXPECT_EQ(folder.read(kManualInvoiceNoFile), QByteArray("100003\r\n"));
    folder.write(kManualInvoiceNoFile, "0\r\n");
    EXPECT_EQ(reserveInvoiceNo(store, true, kDay339).invoiceNo, QStringLiteral("100001"));
    folder.write(kManualInvoiceNoFile, "x1\r\n");
    EXPECT_FALSE(reserveInvoiceNo(store, true, kDay339).result);
}

TEST(PrintedRun, ThreeAccountsWithTwoItemsWriteEveryFileAsTheTablesSay)
{
    TestFolder folder;
    writeAccounts(folder, 3);
    writeItems(folder);
    RunOf run(folder, {{QStringLiteral("Chlorine"), 3, Money::fromCents(1000), Money::fromCents(3000)},
                     {QStringLiteral("Filter"), 1, Money::fromCents(2500), Money::fromCents(2500)}});
    const PrintedOutcome out = run.post(folder, false, run.recorder());
    ASSERT_TRUE(out.result) << out.result.error.toStdString();
    EXPECT_FALSE(out.printFailed);
    EXPECT_EQ(out.posted, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(run.printed, (QStringList{QStringLiteral("339-1 December, 2026 Billing"),
                                        QStringLiteral("339-2 December, 2026 Billing"),
                                        QStringLiteral("339-3 December, 2026 Billing")}));
    EXPECT_EQ(folder.read(kInvoiceCounterFile), QByteArray("339,4\r\n"));

    // 49.99 + 55.00 of items = 104.99; 7% = 7.3493; total 112.3393.
    const QStringList expected = {
        QStringLiteral("339-1"), QStringLiteral("A1"), QStringLiteral("Customer 1"), QStringLiteral("12/5/2026"),
        QStringLiteral(" 112.3393 "), QStringLiteral("\"Customer 1\""), QStringLiteral("\"1 Oak Road\""),
        QStringLiteral("\"\""), QStringLiteral("\"Dayton\""), QStringLiteral("\"OH\""), QStringLiteral("\"45402\""),
        QStringLiteral("\"\""), QStringLiteral("\"\""), QStringLiteral("\"\""), QStringLiteral("\"\""),
        QStringLiteral("\"\""), QStringLiteral("\"\""), QStringLiteral("\"\""), QStringLiteral("\"\""),
        QStringLiteral("339-1"), QStringLiteral("A1"), QStringLiteral("Weekly Mowing"), QString(), QStringLiteral(" 3 "),
        QString(), QStringLiteral("1"), QStringLiteral("Weekly Mowing"), QStringLiteral("12/5/2026"),
        QStringLiteral("$49.99"), QStringLiteral("$49.99"), QStringLiteral("True"), QStringLiteral("3"), QString(),
        QStringLiteral("Chlorine"), QStringLiteral("$10.00"), QStringLiteral("$30.00"), QStringLiteral("True"),
        QStringLiteral("1"), QString(), QStringLiteral("Filter"), QStringLiteral("$25.00"), QStringLiteral("$25.00"),
        QStringLiteral("True"),
        QStringLiteral("\"$104.99\",\"$7.35\",\"$0.00\",\"$112.34\",\"$0.00\",\"$0.00\",\"$0.00\""),
    };
    const QString completed = QString::fromLatin1(folder.read(completedInvoiceFile(QStringLiteral("339-1"))));
    ASSERT_TRUE(completed.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(completed.chopped(2).split(QStringLiteral("\r\n")), expected);

    const QByteArray sold = folder.read(kSoldItemsFile);
    ASSERT_EQ(sold.size(), 6 * 90); // two items on each of three invoices
    EXPECT_EQ(sold.mid(0, 60).trimmed(), QByteArray("Chlorine"));
    EXPECT_EQ(sold.mid(68, 20).trimmed(), QByteArray("339-1"));
    EXPECT_EQ(qFromLittleEndian<qint16>(sold.constData() + 88), 3);
    EXPECT_EQ(sold.mid(90 * 5 + 68, 20).trimmed(), QByteArray("339-3"));

    const QByteArray journal = folder.read(kSalesJournalFile);
    ASSERT_EQ(journal.size(), 3 * 125);
    EXPECT_EQ(journal.mid(125 + 65, 20).trimmed(), QByteArray("339-2"));
    EXPECT_EQ(qFromLittleEndian<qint64>(journal.constData() + 93), 1049900);  // subtotal
    EXPECT_EQ(qFromLittleEndian<qint64>(journal.constData() + 101), 73493);   // taxes
    EXPECT_EQ(qFromLittleEndian<qint64>(journal.constData() + 109), 0);
    EXPECT_EQ(qFromLittleEndian<qint64>(journal.constData() + 117), 1123393); // total
    // The record structs read the same bytes back.
    const SalesJournalRecord second = SalesJournalRecord::decode(journal.mid(125, 125));
    EXPECT_EQ(second.invoiceNo, QStringLiteral("339-2"));
    EXPECT_EQ(second.acctNo, QStringLiteral("A2"));
    EXPECT_EQ(second.date, kDay339);
    EXPECT_EQ(second.total.raw(), 1123393);
    EXPECT_EQ(second.encode(), journal.mid(125, 125));
    const SoldItemRecord last = SoldItemRecord::decode(sold.mid(90 * 5, 90));
    EXPECT_EQ(last.description, QStringLiteral("Filter"));
    EXPECT_EQ(last.units, 1);
    EXPECT_EQ(last.date, kDay339);
    EXPECT_EQ(last.encode(), sold.mid(90 * 5, 90));

    // Stock: 10 - 3 x 3 = 1; 1 - 1 x 3 stops at 0.
    const QByteArray items = folder.read(catalog::kItemsFile);
    EXPECT_EQ(catalog::InventoriedItemRecord::decode(items.left(104)).onHand, 1);
    EXPECT_EQ(catalog::InventoriedItemRecord::decode(items.mid(104, 104)).onHand, 0);
    // Tax records carry the invoice number.
    EXPECT_EQ(TaxRecord::decode(folder.read(kTaxRecordsFile).mid(75, 75)).reference, QStringLiteral("339-2"));
    EXPECT_FALSE(folder.exists(store::kTransactionMarker));

    // A second run the same day continues the numbering.
    RunOf again(folder);
    ASSERT_TRUE(again.post(folder, false, again.recorder()).result);
    EXPECT_EQ(again.printed.first(), QStringLiteral("339-4 December, 2026 Billing"));
}

TEST(PrintedRun, APrintErrorOnTheSecondAccountKeepsTheFirstAndNeverReusesANumber)
{
    TestFolder folder;
    writeAccounts(folder, 3);
    RunOf run(folder);
    int calls = 0;
    const PrintedOutcome out = run.post(folder, true, [&](const printing::InvoiceValues &, QString *reason) {
        if (++calls == 2) {
            *reason = QStringLiteral("out of paper");
            return false;
        }
        return true;
    });
    EXPECT_TRUE(out.printFailed);
    EXPECT_EQ(out.printReason, QStringLiteral("out of paper"));
    EXPECT_EQ(out.posted, std::vector<int>{0});
    EXPECT_EQ(folder.read(kSalesJournalFile).size(), 125);
    EXPECT_TRUE(folder.exists(QStringLiteral("/BVActiveAccounts/A1.txt")));
    EXPECT_FALSE(folder.exists(QStringLiteral("/BVActiveAccounts/A2.txt"))); // printed nothing, billed nothing
    EXPECT_EQ(folder.read(kManualInvoiceNoFile), QByteArray("100002\r\n")); // 100002 is a gap, never reused
    EXPECT_FALSE(folder.exists(store::kTransactionMarker));
    RunOf rest(folder);
    rest.grid.rows[0].selected = QStringLiteral("P");
    rest.postings = std::get<std::vector<Posting>>(planRecordsRun(rest.grid, rest.settings, usLocale()));
    ASSERT_TRUE(rest.post(folder, true, rest.recorder()).result);
    EXPECT_EQ(rest.printed.first().left(6), QStringLiteral("100003"));
}

// The child prints (to nowhere) and posts three accounts over and over until
// it is killed; after the restart's recovery every ledger bill has its
// journal record, completed invoice and tax record, and no number repeats.
TEST(PrintedRun, KillingAPrintedRunLeavesEveryFileInAgreement)
{
    int posted = 0;
    killRounds(10, 7719, QStringLiteral("billprint"), [](TestFolder &f) { writeAccounts(f, 3); },
               [&](TestFolder &folder, int round, const store::FinishedWork &) {
        int bills = 0;
        for (int i = 1; i <= 3; ++i) {
            const QString file = QStringLiteral("/BVActiveAccounts/A%1.txt").arg(i);
            const qsizetype size = folder.exists(file) ? folder.read(file).size() : 0;
            ASSERT_EQ(size % 155, 0) << "round " << round;
            bills += size ? int(size / 155) - 1 : 0;
        }
        const QByteArray journal = folder.exists(kSalesJournalFile) ? folder.read(kSalesJournalFile) : QByteArray();
        ASSERT_EQ(journal.size() % 125, 0) << "round " << round;
        EXPECT_EQ(journal.size() / 125, bills) << "round " << round;
        const QByteArray taxes = folder.exists(kTaxRecordsFile) ? folder.read(kTaxRecordsFile) : QByteArray();
        EXPECT_EQ(taxes.size(), qsizetype(bills) * 75) << "round " << round;
        QSet<QByteArray> numbers;
        for (qsizetype r = 0; r < journal.size() / 125; ++r) {
            const QByteArray no = journal.mid(r * 125 + 65, 20).trimmed();
            EXPECT_FALSE(numbers.contains(no)) << "round " << round << " number " << no.constData();
            numbers.insert(no);
            EXPECT_TRUE(folder.exists(completedInvoiceFile(QString::fromLatin1(no)))) << no.constData();
        }
        posted += bills;
    });
    EXPECT_GT(posted, 0);
}

// One printed account with an item is one change: a write or sync failing
// anywhere in it leaves every file as it was (but the number drawn, a gap
// from then on), or is completed by the start.
TEST(PrintedRun, AFailedWriteOrSyncInAnAccountChangesNothingOrIsCompleted)
{
    failEveryWay(
        [](TestFolder &f) {
            writeAccounts(f, 1);
            writeItems(f);
        },
        [](TestFolder &f) {
            RunOf run(f, {{QStringLiteral("Chlorine"), 1, Money::fromCents(1000), Money::fromCents(1000)}});
            return run.post(f, false, run.recorder()).result;
        },
        {kInvoiceCounterFile});
}

// A kill between the marker and the printer: the start posts the invoice
// and names it as one that may never have been printed.
TEST(PrintedRun, AnInvoicePostedByTheStartButNeverPrintedIsNamed)
{
    TestFolder folder;
    writeAccounts(folder, 2);
    RunOf run(folder);
    // The program dies while the printer has the invoice: the change is
    // taken as a kill would leave it, before the printer answered.
    QMap<QString, QByteArray> kept;
    (void)run.post(folder, false, [&](const printing::InvoiceValues &, QString *reason) {
        if (kept.isEmpty()) {
            const QMap<QString, QByteArray> all = folderFiles(folder);
            for (auto it = all.cbegin(); it != all.cend(); ++it)
                if (it.key().startsWith(store::kTransactionFolder))
                    kept.insert(it.key(), it.value());
            QDir staged(folder.path() + store::kTransactionFolder);
            for (const QString &name : staged.entryList({QStringLiteral("*.new")}, QDir::Files))
                kept.insert(store::kTransactionFolder + u'/' + name, folder.read(store::kTransactionFolder + u'/' + name));
        }
        *reason = QStringLiteral("killed");
        return false;
    });
    ASSERT_TRUE(kept.contains(store::kTransactionMarker));
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        folder.write(it.key(), it.value());
    const RecoveredRun r = recoveredRun(store::finishInterruptedWork(folder.store()));
    EXPECT_EQ(r.accounts, QStringList{QStringLiteral("A1")});
    EXPECT_EQ(r.invoices, QStringList{QStringLiteral("339-1")});
    EXPECT_EQ(r.unprinted, QStringList{QStringLiteral("339-1")});
    const QString text = recoveredRunText(r);
    EXPECT_TRUE(text.startsWith(QStringLiteral("A billing run that was interrupted has been completed: 1 account posted (A1)."))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("may never have come out of the printer: 339-1")));
    EXPECT_EQ(folder.read(QStringLiteral("/BVActiveAccounts/A1.txt")).size(), 2 * 155);
    EXPECT_TRUE(folder.exists(completedInvoiceFile(QStringLiteral("339-1"))));
}

// Invoices that show the previous balance get the ledger's balance before
// them; every file the run writes is byte for byte what it writes without.
TEST(PrintedRun, ThePreviousBalanceOnInvoicesChangesWhatPrintsAndNoFile)
{
    QMap<QString, QByteArray> written[2];
    for (const bool shown : {false, true}) {
        TestFolder folder;
        writeAccounts(folder, 2);
        RunOf first(folder);
        ASSERT_TRUE(first.post(folder, false, first.recorder()).result);
        RunOf second(folder);
        second.settings.showPreviousBalance = shown;
        std::vector<std::optional<Money>> previous;
        ASSERT_TRUE(second.post(folder, false, [&](const printing::InvoiceValues &i, QString *) {
                              previous.push_back(i.previousBalance);
                              return true;
                          }).result);
        ASSERT_EQ(previous.size(), 2u);
        EXPECT_EQ(previous[0], shown ? std::optional<Money>(Money::fromRaw(534893)) : std::nullopt);
        written[shown] = folderFiles(folder);
    }
    EXPECT_EQ(written[0], written[1]);
}
