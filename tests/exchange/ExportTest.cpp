// Every kind of export read back by Python's csv module (the reader an
// accountant's tools use) and compared with what the program's own readers
// give: quoting, signed amounts and running balances, ISO dates, a date
// range, and Windows-1252.
#include "exchange/Export.h"
#include "billing/BillingRun.h"
#include "billing/PrintedRun.h"
#include "ledger/Ledger.h"

#include "support/BusinessFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace exchange;
using base::Money;

namespace {

// The rows Python's csv module reads from the bytes, in the encoding named.
QList<QStringList> pythonRows(const QByteArray &bytes, const char *encoding)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.csv"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    f.close();
    QProcess py;
    py.start(QStringLiteral("python3"),
             {QStringLiteral("-c"),
              QStringLiteral("import csv,json,sys;print(json.dumps(list(csv.reader(open(sys.argv[1],newline='',"
                             "encoding=sys.argv[2])))))"),
              path, QString::fromLatin1(encoding)});
    EXPECT_TRUE(py.waitForFinished(30000)) << "python3 is needed: the README's test command installs it";
    EXPECT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(py.readAllStandardOutput()).array()) {
        QStringList cells;
        for (const QJsonValue &c : row.toArray())
            cells << c.toString();
        rows << cells;
    }
    return rows;
}

QList<QStringList> exported(TestFolder &folder, ExportKind kind, QDate from = {}, QDate to = {}, bool cp1252 = false)
{
    const Exported e = exportCsv(folder.store(), {kind, from, to, cp1252}, usLocale());
    const QList<QStringList> rows = pythonRows(e.bytes, cp1252 ? "cp1252" : "utf-8");
    EXPECT_EQ(rows.size(), e.rows + 1) << exportKindNames().value(int(kind)).toStdString();
    return rows;
}

} // namespace

TEST(Export, EveryKindReadBackByPythonGivesTheValuesTheProgramReads)
{
    TestFolder folder;
    const BusinessFolder business = fillBusiness(folder);
    const QDate day(2026, 3, 31);
    folder.write(billing::kSalesJournalFile,
                 billing::SalesJournalRecord{QStringLiteral("Green Acres, Inc"), QStringLiteral("1001"), QStringLiteral("90-1"),
                                             day, Money::fromCents(10000), Money::fromCents(700), Money(), Money::fromCents(10700)}
                         .encode()
                     + billing::SalesJournalRecord{QStringLiteral("Green Acres, Inc"), QStringLiteral("1001"),
                                                   QStringLiteral("90-1"), day.addDays(2), -Money::fromCents(10000),
                                                   -Money::fromCents(700), Money(), -Money::fromCents(10700)}
                           .encode());
    folder.write(billing::kTaxRecordsFile,
                 billing::TaxRecord{QStringLiteral("Sales Tax"), QStringLiteral("3/31/2026"), QStringLiteral("90-1"),
                                    QStringLiteral("7")}
                     .encode());
    folder.write(billing::kSoldItemsFile,
                 billing::SoldItemRecord{QStringLiteral("Mulch \"Premium\" Bag"), day, QStringLiteral("90-1"), -2}.encode());

    const QList<QStringList> customers = exported(folder, ExportKind::Customers);
    ASSERT_EQ(customers.size(), int(business.customers.size()) + 1);
    EXPECT_EQ(customers[0].mid(0, 3), (QStringList{QStringLiteral("Account"), QStringLiteral("Type"), QStringLiteral("Title")}));
    EXPECT_EQ(customers[5][7], QStringLiteral("Unit 5, 18 Wang Chiu Rd")); // a comma, quoted and read back whole
    EXPECT_EQ(customers[1][18], business.cycles[0].charge.toPlainText());
    EXPECT_EQ(customers[1][19], QStringLiteral("Monthly"));

    // Each account's last ledger row carries the balance the payment screen shows.
    const QList<QStringList> ledgers = exported(folder, ExportKind::Ledgers);
    QMap<QString, QString> lastBalance;
    for (const QStringList &row : ledgers.mid(1))
        lastBalance[row[0]] = row[5];
    ASSERT_EQ(lastBalance.size(), int(business.ledgers.size()));
    for (const auto &[acct, entries] : business.ledgers)
        EXPECT_EQ(lastBalance.value(acct),
                  ledger::accountBalance(folder.store(), ledger::ledgerFile(acct), usLocale())->total.toPlainText())
            << acct.toStdString();
    const QStringList payment = *std::find_if(ledgers.begin(), ledgers.end(), [](const QStringList &r) {
        return r.value(3).startsWith(QStringLiteral("Payment"));
    });
    EXPECT_TRUE(payment[4].startsWith(u'-')) << payment.join(u'|').toStdString(); // a payment subtracts
    EXPECT_TRUE(QDate::fromString(payment[2], Qt::ISODate).isValid());

    // A date range keeps the rows dated in it.
    const QDate today = folder.clock.at.date();
    const QList<QStringList> recent = exported(folder, ExportKind::Ledgers, today.addDays(-20), today);
    for (const QStringList &row : recent.mid(1))
        EXPECT_GE(QDate::fromString(row[2], Qt::ISODate), today.addDays(-20));
    EXPECT_LT(recent.size(), ledgers.size());

    EXPECT_EQ(exported(folder, ExportKind::SalesJournal),
              (QList<QStringList>{{QStringLiteral("Name"), QStringLiteral("Account"), QStringLiteral("Invoice"),
                                   QStringLiteral("Date"), QStringLiteral("Subtotal"), QStringLiteral("Taxes"),
                                   QStringLiteral("Total")},
                                  {QStringLiteral("Green Acres, Inc"), QStringLiteral("1001"), QStringLiteral("90-1"),
                                   QStringLiteral("2026-03-31"), QStringLiteral("100"), QStringLiteral("7"), QStringLiteral("107")},
                                  {QStringLiteral("Green Acres, Inc"), QStringLiteral("1001"), QStringLiteral("90-1"),
                                   QStringLiteral("2026-04-02"), QStringLiteral("-100"), QStringLiteral("-7"),
                                   QStringLiteral("-107")}}));
    EXPECT_EQ(exported(folder, ExportKind::SalesJournal, day, day).size(), 2);
    EXPECT_EQ(exported(folder, ExportKind::TaxRecords)[1],
              (QStringList{QStringLiteral("Sales Tax"), QStringLiteral("2026-03-31"), QStringLiteral("90-1"), QStringLiteral("7")}));
    EXPECT_EQ(exported(folder, ExportKind::SoldItems)[1],
              (QStringList{QStringLiteral("Mulch \"Premium\" Bag"), QStringLiteral("2026-03-31"), QStringLiteral("90-1"),
                           QStringLiteral("-2")}));
    const QList<QStringList> services = exported(folder, ExportKind::Services);
    EXPECT_EQ(services.size(), int(business.services.size()) + 1);
    EXPECT_TRUE(services.contains(QStringList{QStringLiteral("Weekly Mowing"), QStringLiteral("45"), QStringLiteral("1:00")}));
    EXPECT_EQ(exported(folder, ExportKind::Items).size(), int(business.items.size()) + 1);
    EXPECT_EQ(exported(folder, ExportKind::LaborRates)[3], (QStringList{QStringLiteral("Holiday"), QStringLiteral("80")}));
    EXPECT_EQ(exported(folder, ExportKind::PaymentJournal).size(), 1); // none written: the header alone

    // Windows-1252: an accented name read back as such.
    customers::CustomerRecord cafe;
    cafe.acctNo = QStringLiteral("3001");
    cafe.acctType = customers::CustomerRecord::kBusiness;
    cafe.name = QStringLiteral("Caf\u00e9 \u00c9mile");
    folder.write(customers::kCustomerFile, cafe.encode());
    EXPECT_EQ(exported(folder, ExportKind::Customers, {}, {}, true)[1][6], QStringLiteral("Caf\u00e9 \u00c9mile"));
    EXPECT_EQ(exported(folder, ExportKind::Customers)[1][6], QStringLiteral("Caf\u00e9 \u00c9mile"));
}
