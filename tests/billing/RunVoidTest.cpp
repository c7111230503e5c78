// The run register and voids: a printed run voided whole adds back to
// nothing in every file, one entry of a records-only run voided after a
// payment, the refusals, a run stopped part way, a kill and a failing disk.
#include "billing/RunVoid.h"
#include "ledger/Ledger.h"
#include "ledger/PaymentBatch.h"

#include "billing/RunFixture.h"
#include "support/ChangeHarness.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QDateTime kVoidMoment(QDate(2026, 12, 7), QTime(10, 15));

Money balanceOf(TestFolder &folder, const QString &acctNo)
{
    return ledger::accountBalance(folder.store(), ledger::ledgerFile(acctNo), usLocale()).value_or(ledger::Balance{}).total;
}

// Every fixed-length record of a file, cut at its length.
template <typename Record>
std::vector<Record> recordsIn(TestFolder &folder, const QString &file)
{
    std::vector<Record> out;
    const QByteArray bytes = folder.exists(file) ? folder.read(file) : QByteArray();
    for (qsizetype at = 0; at + Record::kLength <= bytes.size(); at += Record::kLength)
        out.push_back(Record::decode(bytes.mid(at, Record::kLength)));
    return out;
}

Money taxTotal(TestFolder &folder)
{
    Money sum;
    for (const TaxRecord &t : recordsIn<TaxRecord>(folder, kTaxRecordsFile))
        sum += Money::parse(t.amount, usLocale()).value_or(Money::fromCents(999999));
    return sum;
}

VoidPlan planOrFail(TestFolder &folder, int runNo, int account = 0)
{
    auto plan = planVoid(folder.store(), RunRegister::read(folder.store()), runNo, account, usLocale());
    if (const QString *why = std::get_if<QString>(&plan)) {
        ADD_FAILURE() << why->toStdString();
        return {};
    }
    return std::get<VoidPlan>(plan);
}

QString refusal(TestFolder &folder, int runNo, int account = 0)
{
    auto plan = planVoid(folder.store(), RunRegister::read(folder.store()), runNo, account, usLocale());
    const QString *why = std::get_if<QString>(&plan);
    return why ? *why : QStringLiteral("(not refused)");
}

std::vector<SoldLine> twoItems()
{
    return {{QStringLiteral("Chlorine"), 3, Money::fromCents(1000), Money::fromCents(3000)},
            {QStringLiteral("Filter"), 1, Money::fromCents(2500), Money::fromCents(2500)}};
}

} // namespace

TEST(RunVoid, APrintedRunOfThreeAccountsWithTwoItemsVoidedWholeAddsBackToNothing)
{
    TestFolder folder;
    writeAccounts(folder, 3);
    writeItems(folder);
    const QByteArray stockBefore = folder.read(catalog::kItemsFile);
    RunOf run(folder, twoItems());
    run.settings.time = QTime(9, 5);
    ASSERT_TRUE(run.post(folder, false, run.recorder()).result);

    // The register as its record tables have it.
    const QByteArray runs = folder.read(kRunsFile);
    ASSERT_EQ(runs.size(), 48);
    EXPECT_EQ(qFromLittleEndian<qint32>(runs.constData()), 1);
    EXPECT_EQ(qFromLittleEndian<qint16>(runs.constData() + 12), 1); // printed
    EXPECT_EQ(qFromLittleEndian<qint16>(runs.constData() + 16), 11);
    EXPECT_EQ(qFromLittleEndian<qint32>(runs.constData() + 24), 1);
    EXPECT_EQ(qFromLittleEndian<qint32>(runs.constData() + 28), 3);
    EXPECT_EQ(qFromLittleEndian<qint64>(runs.constData() + 32), 3 * 1123393);
    const QByteArray accounts = folder.read(kRunAccountsFile);
    ASSERT_EQ(accounts.size(), 3 * 400);
    EXPECT_EQ(accounts.mid(400 + 8, 25).trimmed(), QByteArray("A2"));
    EXPECT_EQ(accounts.mid(400 + 82, 20).trimmed(), QByteArray("339-2"));
    EXPECT_EQ(qFromLittleEndian<qint32>(accounts.constData() + 400 + 78), 2); // the ledger's second record
    EXPECT_EQ(qFromLittleEndian<qint64>(accounts.constData() + 400 + 126), 1123393);
    EXPECT_EQ(accounts.mid(400 + 142, 60).trimmed(), QByteArray("Weekly Mowing Unit 7"));
    const std::vector<RunItemRecord> items = recordsIn<RunItemRecord>(folder, kRunItemsFile);
    ASSERT_EQ(items.size(), 6u);
    // Filter: one on hand, so only the first invoice took it from the stock.
    const std::vector<int> taken = {items[0].stockTaken, items[1].stockTaken, items[3].stockTaken, items[5].stockTaken};
    EXPECT_EQ(taken, (std::vector<int>{3, 1, 0, 0}));
    EXPECT_EQ(items[5].account, 3);

    RunRegister reg = RunRegister::read(folder.store());
    EXPECT_EQ(reg.billedFor(folder.store(), 11, 2026).value(QStringLiteral("A3")).invoiceNo, QStringLiteral("339-3"));
    EXPECT_TRUE(reg.billedFor(folder.store(), 10, 2026).isEmpty());

    const VoidPlan plan = planOrFail(folder, 1);
    ASSERT_EQ(plan.lines.size(), 3u);
    EXPECT_EQ(plan.lines[0].before.total.raw(), 1123393);
    EXPECT_EQ(plan.lines[0].after().raw(), 0);
    ASSERT_EQ(plan.stockReturned.size(), 2u);
    EXPECT_EQ(plan.stockReturned[0].units, 9);
    EXPECT_EQ(plan.stockReturned[1].units, 1);
    const VoidOutcome out = postVoid(folder.store(), plan, kVoidMoment, usLocale());
    ASSERT_TRUE(out.result) << out.result.error.toStdString();
    EXPECT_EQ(out.voidRunNo, 2);
    EXPECT_EQ(voidOutcomeText(plan, out, usLocale()),
              QStringLiteral("Run 1 was voided as run 2: 3 accounts credited $337.02 in all.\n"
                             "Tax records of -$22.05 were written.\n"
                             "The sales journal has the invoices again with their amounts negative; credit notes were "
                             "filed for 339-1, 339-2, 339-3.\n"
                             "Stock returned: 9 Chlorine, 1 Filter."));

    for (int i = 1; i <= 3; ++i) {
        const QString acct = QStringLiteral("A%1").arg(i);
        const QString file = ledger::ledgerFile(acct);
        const QByteArray ledger = folder.read(file);
        ASSERT_EQ(ledger.size(), 3 * 155) << i;
        EXPECT_EQ(folder.read(ledger::backupFile(file)), ledger);
        const ledger::LedgerEntry last = ledger::LedgerEntry::decode(ledger.right(155));
        EXPECT_EQ(last.entryText, QStringLiteral("Credit - Void of invoice 339-%1").arg(i));
        EXPECT_EQ(last.entryDate, QStringLiteral("12/7/2026"));
        EXPECT_EQ(balanceOf(folder, acct).raw(), 0);
        EXPECT_TRUE(folder.exists(creditNoteFile(QStringLiteral("339-%1").arg(i))));
    }
    EXPECT_EQ(taxTotal(folder).raw(), 0);
    EXPECT_EQ(TaxRecord::decode(folder.read(kTaxRecordsFile).mid(3 * 75, 75)).reference, QStringLiteral("VOID 339-1"));
    Money subtotal, taxes, total;
    for (const SalesJournalRecord &j : recordsIn<SalesJournalRecord>(folder, kSalesJournalFile)) {
        subtotal += j.subtotal;
        taxes += j.taxes;
        total += j.total;
    }
    EXPECT_EQ(recordsIn<SalesJournalRecord>(folder, kSalesJournalFile).size(), 6u);
    EXPECT_EQ(std::tuple(subtotal.raw(), taxes.raw(), total.raw()), std::tuple(0ll, 0ll, 0ll));
    int units = 0;
    for (const SoldItemRecord &s : recordsIn<SoldItemRecord>(folder, kSoldItemsFile))
        units += s.units;
    EXPECT_EQ(units, 0);
    EXPECT_EQ(folder.read(catalog::kItemsFile), stockBefore); // Filter back to 1, not to 3
    const QString note = QString::fromLatin1(folder.read(creditNoteFile(QStringLiteral("339-2"))));
    EXPECT_TRUE(note.startsWith(QStringLiteral("339-2\r\nA2\r\nCustomer 2\r\n12/5/2026\r\n 112.3393 \r\n"))) << note.toStdString();

    // The register: the void is run 2, and every account of run 1 is marked.
    reg = RunRegister::read(folder.store());
    ASSERT_EQ(reg.runs().size(), 2u);
    EXPECT_EQ(reg.runs()[1].mode, RunMode::Void);
    EXPECT_EQ(reg.runs()[1].voidsRun, 1);
    EXPECT_TRUE(reg.state(reg.runs()[0]).whole());
    for (const RegisteredAccount &a : reg.accounts(folder.store(), reg.runs()[0])) {
        EXPECT_EQ(a.voidedBy, 2);
        EXPECT_EQ(a.voidedOn, kVoidMoment.date());
    }
    EXPECT_TRUE(reg.billedFor(folder.store(), 11, 2026).isEmpty());

    // Nothing is voided twice, and a void is not voided.
    EXPECT_EQ(refusal(folder, 1), QStringLiteral("Every account of run 1 has been voided already."));
    EXPECT_EQ(refusal(folder, 1, 2), QStringLiteral("Invoice 339-2 was voided on 12/7/2026 (run 2); it cannot be voided twice."));
    EXPECT_EQ(refusal(folder, 2), QStringLiteral("Run 2 is itself a void; it cannot be voided."));
    EXPECT_EQ(refusal(folder, 7), QStringLiteral("There is no billing run 7 in the register."));

    // Billed again: the numbers go on, none reused.
    RunOf again(folder);
    ASSERT_TRUE(again.post(folder, false, again.recorder()).result);
    EXPECT_EQ(again.printed.first(), QStringLiteral("339-4 December, 2026 Billing"));
    EXPECT_EQ(RunRegister::read(folder.store()).nextRunNo(), 4);
}

TEST(RunVoid, OneEntryOfARecordsOnlyRunPaidMeanwhileGoesIntoCreditAndARemovedAccountIsRefused)
{
    TestFolder folder;
    writeAccounts(folder, 3);
    RunOf run(folder);
    ASSERT_TRUE(postRun(folder.store(), run.postings, run.settings, usLocale()).result);
    // A2 pays its 53.49 before the mistake is found.
    const QString a2 = ledger::ledgerFile(QStringLiteral("A2"));
    ASSERT_TRUE(ledger::writePayments(folder.store(),
                                      {{a2, ledger::makeEntry(QStringLiteral("A2"), QStringLiteral("Customer 2"),
                                                              QStringLiteral("$53.49"), QStringLiteral("Payment Check"),
                                                              kDay339, usLocale())}},
                                      kDay339, usLocale()));
    const VoidPlan plan = planOrFail(folder, 1, 2);
    ASSERT_EQ(plan.lines.size(), 1u);
    EXPECT_EQ(plan.lines[0].after().raw(), -534900); // 53.4893 - 53.49 - 53.4893: a credit balance
    ASSERT_TRUE(postVoid(folder.store(), plan, kVoidMoment, usLocale()).result);

    EXPECT_EQ(ledger::LedgerEntry::decode(folder.read(a2).right(155)).entryText, QStringLiteral("Credit - Void of run 1"));
    EXPECT_EQ(balanceOf(folder, QStringLiteral("A2")).raw(), -534900);
    EXPECT_EQ(balanceOf(folder, QStringLiteral("A1")).raw(), 534893); // untouched
    const std::vector<TaxRecord> taxes = recordsIn<TaxRecord>(folder, kTaxRecordsFile);
    ASSERT_EQ(taxes.size(), 4u);
    EXPECT_EQ(taxes[3], (TaxRecord{QStringLiteral("Sales Tax"), QStringLiteral("12/7/2026"),
                                   QStringLiteral("VOID Weekly Mowing"), QStringLiteral("-3.4993")}));
    EXPECT_FALSE(folder.exists(kSalesJournalFile)); // a records-only run has no invoice to reverse
    EXPECT_FALSE(folder.exists(QStringLiteral("/CompletedInvoices")));
    const RunRegister reg = RunRegister::read(folder.store());
    EXPECT_EQ(reg.state(reg.runs()[0]).voided, 1);
    EXPECT_EQ(reg.billedFor(folder.store(), 11, 2026).keys().size(), 2);
    EXPECT_FALSE(reg.billedFor(folder.store(), 11, 2026).contains(QStringLiteral("A2")));
    EXPECT_EQ(refusal(folder, 1, 2),
              QStringLiteral("The entry of account A2 in run 1 was voided on 12/7/2026 (run 2); it cannot be voided twice."));

    // A3 is removed from the customer file: neither it nor the run as a whole can be voided.
    QByteArray customers = folder.read(kCustomerFile);
    folder.write(kCustomerFile, customers.left(2 * CustomerRecord::kLength));
    EXPECT_EQ(refusal(folder, 1, 3), QStringLiteral("Account A3 (Customer 3) has been removed (or its ledger purged), so "
                                                    "the entry of account A3 in run 1 cannot be voided."));
    EXPECT_EQ(refusal(folder, 1), QStringLiteral("Run 1 cannot be voided as a whole: this account has been removed (or "
                                                 "their ledgers purged): A3 (Customer 3). Void the other invoices one at a time."));
    EXPECT_EQ(planOrFail(folder, 1, 1).lines.size(), 1u);
}

TEST(RunVoid, TheRegisterHoldsWhatARunStoppedPartWayPosted)
{
    TestFolder folder;
    writeAccounts(folder, 3);
    RunOf records(folder);
    const RunOutcome stopped = postRun(folder.store(), records.postings, records.settings, usLocale(),
                                       [](int i, const Posting &) { return i < 1; });
    EXPECT_TRUE(stopped.cancelled);
    RunOf printed(folder);
    int calls = 0;
    (void)printed.post(folder, false, [&](const printing::InvoiceValues &, QString *reason) {
        *reason = QStringLiteral("jammed");
        return ++calls < 3;
    });
    const RunRegister reg = RunRegister::read(folder.store());
    ASSERT_EQ(reg.runs().size(), 2u);
    std::vector<QStringList> listed;
    for (const RunRecord &r : reg.runs()) {
        QStringList accounts;
        for (const RegisteredAccount &a : reg.accounts(folder.store(), r))
            accounts << a.record.acctNo + u'/' + a.record.invoiceNo + u'/' + QString::number(a.record.ledgerRecord);
        listed.push_back(accounts);
    }
    EXPECT_EQ(listed[0], QStringList{QStringLiteral("A1//2")});
    EXPECT_EQ(listed[1], (QStringList{QStringLiteral("A1/339-1/3"), QStringLiteral("A2/339-2/2")}));
    EXPECT_EQ(reg.runs()[1].firstAccount, 2);
    EXPECT_EQ(reg.runs()[1].total.raw(), 2 * 534893);
}

// A printed run and its void, over and over, killed: every charge in a
// ledger has its register account, journal record and tax record, every
// void credit its own, and the stock agrees with what is still sold.
TEST(RunVoid, KillingAVoidLeavesEveryFileVoidedOrNone)
{
    int voids = 0;
    killRounds(8, 4411, QStringLiteral("billvoid"),
               [](TestFolder &f) {
                   writeAccounts(f, 3);
                   catalog::InventoriedItemRecord stocked;
                   stocked.description = QStringLiteral("Chlorine");
                   stocked.onHand = 1000;
                   f.write(catalog::kItemsFile, stocked.encode());
               },
               [&](TestFolder &folder, int round, const store::FinishedWork &) {
        int charges = 0, credits = 0;
        for (int i = 1; i <= 3; ++i) {
            const QString file = ledger::ledgerFile(QStringLiteral("A%1").arg(i));
            const QByteArray bytes = folder.exists(file) ? folder.read(file) : QByteArray();
            ASSERT_EQ(bytes.size() % 155, 0) << "round " << round;
            for (qsizetype at = 155; at < bytes.size(); at += 155)
                (ledger::LedgerEntry::decode(bytes.mid(at, 155)).entryText.contains(QStringLiteral("Credit")) ? credits : charges)++;
        }
        int registeredCharges = 0, registeredCredits = 0;
        for (const RunAccountRecord &a : recordsIn<RunAccountRecord>(folder, kRunAccountsFile))
            (a.reverses ? registeredCredits : registeredCharges)++;
        EXPECT_EQ(registeredCharges, charges) << "round " << round;
        EXPECT_EQ(registeredCredits, credits) << "round " << round;
        EXPECT_EQ(recordsIn<SalesJournalRecord>(folder, kSalesJournalFile).size(), size_t(charges + credits)) << "round " << round;
        EXPECT_EQ(recordsIn<TaxRecord>(folder, kTaxRecordsFile).size(), size_t(charges + credits)) << "round " << round;
        EXPECT_EQ(catalog::InventoriedItemRecord::decode(folder.read(catalog::kItemsFile)).onHand, 1000 - charges + credits)
            << "round " << round;
        voids += credits;
    });
    EXPECT_GT(voids, 0);
}

TEST(RunVoid, AFailedWriteOrSyncInAVoidChangesNothingOrIsCompleted)
{
    failEveryWay(
        [](TestFolder &f) {
            writeAccounts(f, 2);
            writeItems(f);
            RunOf run(f, twoItems());
            ASSERT_TRUE(run.post(f, false, run.recorder()).result);
        },
        [](TestFolder &f) { return postVoid(f.store(), planOrFail(f, 1), kVoidMoment, usLocale()).result; });
}
