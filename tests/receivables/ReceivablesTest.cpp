// Aging by the balance rule, payments against the oldest charges first,
// the list of accounts that owe, and the statement's running balance.
#include "receivables/Receivables.h"
#include "customers/Records.h"
#include "ledger/Ledger.h"

#include "printing/RecordingSurface.h"
#include "receivables/StatementPrint.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace receivables;
using base::Money;

namespace {

const QDate kDay0(2026, 1, 1);

struct Entry {
    int day;
    const char *text;
    const char *amount;
};

QByteArray ledgerOf(const QString &acctNo, std::initializer_list<Entry> entries)
{
    QByteArray bytes = ledger::makeEntry(acctNo, QStringLiteral("Name ") + acctNo, QStringLiteral("$0.00"),
                                         QStringLiteral("Previous Balance"), kDay0, usLocale())
                           .encode();
    for (const Entry &e : entries) {
        ledger::LedgerEntry entry = ledger::makeEntry(acctNo, QStringLiteral("Name ") + acctNo, QString::fromLatin1(e.amount),
                                                      QString::fromLatin1(e.text), kDay0.addDays(e.day), usLocale());
        if (e.day < 0)
            entry.entryDate = QStringLiteral("31/31/2026"); // a date no one can read
        bytes += entry.encode();
    }
    return bytes;
}

} // namespace

TEST(Aging, PaymentsGoToTheOldestChargesAndEachChargeAgesByItsDate)
{
    struct Case {
        const char *what;
        std::initializer_list<Entry> entries;
        int asOf;
        std::array<qint64, 5> expected; // current, 31-60, 61-90, over 90, credit (cents)
        int unreadable;
    } cases[] = {
        {"100 then 50, 120 paid: 30 of the second left, 35 days old",
         {{0, "Mowing", "$100.00"}, {40, "Mowing", "$50.00"}, {45, "Payment Check", "$120.00"}}, 75, {0, 3000, 0, 0, 0}, 0},
        {"paid more than billed: a credit, no buckets",
         {{0, "Mowing", "$50.00"}, {5, "Payment Cash", "$80.00"}}, 10, {0, 0, 0, 0, 3000}, 0},
        {"charges exactly 30, 31, 60, 61, 90 and 91 days old",
         {{70, "A", "1.00"}, {69, "B", "1.00"}, {40, "C", "1.00"}, {39, "D", "1.00"}, {10, "E", "1.00"}, {9, "F", "1.00"}},
         100, {100, 200, 200, 100, 0}, 0},
        {"a service named Credit Check Fee lowers the balance as the rule has it",
         {{0, "Mowing", "$100.00"}, {1, "Credit Check Fee", "$15.00"}}, 10, {8500, 0, 0, 0, 0}, 0},
        {"a discount and an entry dated after the day are not counted alike",
         {{0, "Mowing", "$100.00"}, {2, "Discount", "$10.00"}, {50, "Mowing", "$40.00"}}, 20, {9000, 0, 0, 0, 0}, 0},
        {"an amount and a date that cannot be read are left out and counted",
         {{0, "Mowing", "$100.00"}, {1, "Mowing", "ten"}, {-1, "Mowing", "$20.00"}}, 5, {10000, 0, 0, 0, 0}, 2},
        {"Current Balance is not an entry", {{0, "Current Balance", "$99.00"}}, 5, {0, 0, 0, 0, 0}, 0},
    };
    LedgerReader reader(usLocale());
    for (const Case &c : cases) {
        const ReadLedger read = reader.read(ledgerOf(QStringLiteral("A1"), c.entries));
        const Aging a = ageOf(read.lines, kDay0.addDays(c.asOf));
        const std::array<qint64, 5> got = {a.current.raw() / 100, a.days31to60.raw() / 100, a.days61to90.raw() / 100,
                                           a.over90.raw() / 100, a.credit.raw() / 100};
        EXPECT_EQ(got, c.expected) << c.what;
        EXPECT_EQ(read.unreadable, c.unreadable) << c.what;
        // The aging adds up to the balance the payment screen shows (the
        // unreadable entries left out of both).
        if (c.asOf >= 50 || std::string(c.what).find("after") == std::string::npos)
            EXPECT_EQ(a.balance(), ledger::balanceOf(ledgerOf(QStringLiteral("A1"), c.entries), usLocale()).total
                                       - (c.unreadable ? Money::fromCents(2000) : Money()))
                << c.what;
    }
    const Aging old{Money::fromCents(100), Money::fromCents(200), Money::fromCents(400), Money::fromCents(800), {}};
    EXPECT_EQ(old.overdue(30).raw(), Money::fromCents(1400).raw());
    EXPECT_EQ(old.overdue(60).raw(), Money::fromCents(1200).raw());
    EXPECT_EQ(old.overdue(90).raw(), Money::fromCents(800).raw());
}

TEST(Statement, OpeningLinesInDateOrderAndAClosingBalanceEqualToTheLedgers)
{
    const QByteArray ledger = ledgerOf(QStringLiteral("B7"), {{5, "Mowing", "$40.00"},
                                                              {35, "Mowing", "$40.00"},
                                                              {50, "Payment Check", "$60.00"},
                                                              {40, "Hedge Trimming", "$25.50"},
                                                              {55, "Credit - Void of invoice 90-2", "$5.50"}});
    LedgerReader reader(usLocale());
    const Statement s = statementOf(reader.read(ledger), kDay0.addDays(30), kDay0.addDays(60));
    EXPECT_EQ(s.opening, Money::fromCents(4000));
    ASSERT_EQ(s.lines.size(), 4u);
    QStringList seen;
    for (const StatementLine &l : s.lines)
        seen << QStringLiteral("%1 %2 %3 %4").arg(l.text, l.charge.toPlainText(), l.credit.toPlainText(), l.balance.toPlainText());
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Mowing 40 0 80"), QStringLiteral("Hedge Trimming 25.5 0 105.5"),
                                 QStringLiteral("Payment Check 0 60 45.5"),
                                 QStringLiteral("Credit - Void of invoice 90-2 0 5.5 40")}));
    EXPECT_EQ(s.closing, ledger::balanceOf(ledger, usLocale()).total);
    EXPECT_EQ(s.aging.balance(), s.closing);
    EXPECT_EQ(s.aging.current, Money::fromCents(4000)); // the 40 of day 5 and 25.50 of day 40 were paid first
}

TEST(Receivables, EveryAccountThatOwesOrIsInCreditWithItsTelephone)
{
    TestFolder folder;
    folder.write(QStringLiteral("/BVActiveAccounts/Z9.txt"), ledgerOf(QStringLiteral("Z9"), {{1, "Mowing", "$10.00"}}));
    folder.write(QStringLiteral("/BVActiveAccounts/a2.txt"), ledgerOf(QStringLiteral("a2"), {{1, "Mowing", "$10.00"},
                                                                                            {2, "Payment Cash", "$10.00"}}));
    folder.write(QStringLiteral("/BVActiveAccounts/B1.txt"), ledgerOf(QStringLiteral("B1"), {{1, "Payment Cash", "$5.00"}}));
    folder.write(QStringLiteral("/BVActiveAccounts/C3.txt"), ledgerOf(QStringLiteral("C3"), {{1, "Mowing", "lots"}}));
    QByteArray customers;
    for (const char *acct : {"B1", "Z9"}) {
        customers::CustomerRecord c;
        c.acctNo = QString::fromLatin1(acct);
        c.phone = QStringLiteral("555-01") + c.acctNo;
        customers += c.encode();
    }
    folder.write(customers::kCustomerFile, customers);
    const std::vector<Receivable> list = receivablesAt(folder.store(), kDay0.addDays(40), usLocale());
    QStringList seen;
    for (const Receivable &r : list)
        seen << QStringLiteral("%1 %2 %3 %4 %5").arg(r.acctNo, r.phone, r.aging.balance().toPlainText(),
                                                     r.aging.days31to60.toPlainText(), unreadableText(r.unreadable));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("B1 555-01B1 -5 0 "), QStringLiteral("C3  0 0 1 entry could not be read"),
                                 QStringLiteral("Z9 555-01Z9 10 10 ")}));
}

// A statement with more activity than a page holds carries on to a second
// page with its heads and page number; the closing balance, the aging and
// the remittance stub are where they belong; three statements in one
// document number their pages from 1 each.
TEST(StatementPrint, ActivityCarriesOnToASecondPageAndEachStatementStartsAtPage1)
{
    TestFolder folder;
    setup::BusinessValues values = setup::BusinessValues::defaults(usLocale());
    values.businessName = QStringLiteral("Greenfield Lawn");
    values.useRemittanceForm = true;
    values.usePlainPaper = false;
    folder.write(QStringLiteral("/StatementTerms.txt"), "\"Net 30 days\"\r\n");
    QByteArray bytes = ledgerOf(QStringLiteral("L1"), {});
    for (int d = 0; d < 40; ++d)
        bytes += ledger::makeEntry(QStringLiteral("L1"), QStringLiteral("Name L1"), QStringLiteral("$10.00"),
                                   QStringLiteral("Visit %1").arg(d + 1), kDay0.addDays(d), usLocale())
                     .encode();
    folder.write(QStringLiteral("/BVActiveAccounts/L1.txt"), bytes);
    folder.write(QStringLiteral("/BVActiveAccounts/S2.txt"), ledgerOf(QStringLiteral("S2"), {{1, "Mowing", "$25.00"}}));
    customers::CustomerRecord c;
    c.acctNo = QStringLiteral("L1");
    c.acctType = customers::CustomerRecord::kBusiness;
    c.name = QStringLiteral("Long Acre Farm");
    c.address1 = QStringLiteral("9 Mill Lane");
    c.cityOrAddr3 = QStringLiteral("Decatur");
    c.state = QStringLiteral("IL");
    c.zipOrAddr4 = QStringLiteral("62521");
    folder.write(customers::kCustomerFile, c.encode());

    const std::vector<StatementToPrint> statements = statementsFor(
        folder.store(),
        {QStringLiteral("/BVActiveAccounts/L1.txt"), QStringLiteral("/BVActiveAccounts/S2.txt"), QStringLiteral("/BVActiveAccounts/L1.txt")},
        kDay0, kDay0.addDays(60), true, usLocale());
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0].customer.name, QStringLiteral("Long Acre Farm"));
    EXPECT_EQ(statements[1].customer.name, QStringLiteral("Name S2")); // no customer record: the ledger's name

    printing::RecordingSurface surface;
    printing::PagePrinter printer(surface, values, folder.store());
    printer.printerSetup(QStringLiteral("Portrait"), false);
    ASSERT_TRUE(printStatements(printer, usLocale(), statements));
    QList<int> pageNumbers;
    int lastPage = 0;
    for (const printing::PrintOp &op : surface.ops()) {
        if (op.kind == printing::PrintOp::Text && op.text.startsWith(QStringLiteral("Page ")))
            pageNumbers << op.text.simplified().mid(5).toInt();
        if (op.kind == printing::PrintOp::Text && op.text == QStringLiteral("Visit 40"))
            lastPage = op.page;
        if (op.kind == printing::PrintOp::Text)
            EXPECT_LE(op.y, 10.5 * printing::kTwipsPerInch) << op.text.toStdString();
    }
    EXPECT_EQ(pageNumbers, (QList<int>{1, 2, 1, 1, 2}));
    EXPECT_EQ(lastPage, 2);
    const QStringList texts = surface.texts();
    EXPECT_EQ(texts.count(QStringLiteral("STATEMENT")), 5);
    EXPECT_EQ(texts.count(QStringLiteral("DATE")), 5); // the heads on every page
    const printing::PrintOp charges = *surface.findText(QStringLiteral("CHARGES"));
    const printing::PrintOp credits = *surface.findText(QStringLiteral("PAYMENTS / CREDITS"));
    EXPECT_LT(charges.x + charges.text.size() * charges.font.size * 10.0, credits.x); // side by side, not over each other
    EXPECT_TRUE(texts.contains(QStringLiteral("Amount Due $400.00")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Detach Here and Return Top Section")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Decatur, IL 62521")));
    EXPECT_EQ(texts.count(QStringLiteral("Net 30 days")), 3);
    // The closing line of the first statement comes after its last visit, with the balance.
    const qsizetype closing = texts.indexOf(QStringLiteral("Closing balance"));
    ASSERT_GT(closing, texts.indexOf(QStringLiteral("Visit 40")));
    EXPECT_EQ(texts.sliced(closing + 1, 3), (QStringList{QString(), QString(), QStringLiteral("$400.00")}));
    // Aged at day 60: 10 visits (days 0-29) are over 30 days old.
    EXPECT_EQ(statements[0].statement.aging.days31to60, Money::fromCents(30000));
    EXPECT_EQ(statements[0].statement.aging.current, Money::fromCents(10000));
}
