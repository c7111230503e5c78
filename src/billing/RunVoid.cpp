#include "billing/RunVoid.h"

#include "base/Dates.h"
#include "billing/RunGroups.h"
#include "catalog/CatalogRecords.h"
#include "customers/CustomerFile.h"
#include "ledger/Ledger.h"

#include <QSet>

using namespace base;
using namespace store;

namespace billing {

namespace {

QString voidKind(int runNo)
{
    return QStringLiteral("the void of billing run %1").arg(runNo);
}

QString invoiceOrEntry(const RunRecord &run, const RunAccountRecord &a, bool first = false)
{
    return a.invoiceNo.isEmpty()
               ? QStringLiteral("%1 entry of account %2 in run %3").arg(first ? u"The" : u"the", a.acctNo).arg(run.runNo)
               : QStringLiteral("%1 %2").arg(first ? u"Invoice" : u"invoice", a.invoiceNo);
}

// A tax the void writes negative: the same text with a minus, which must
// still fit the field.
std::optional<QString> negativeTax(Money amount)
{
    const QString text = QStringLiteral("-") + amount.toPlainText();
    return text.size() <= 10 ? std::optional<QString>(text) : std::nullopt;
}

} // namespace

QString creditNoteFile(const QString &invoiceNo)
{
    return QStringLiteral("/CompletedInvoices/") + invoiceNo + QStringLiteral("-CN.txt");
}

QString voidEntryText(const RunRecord &run, const RunAccountRecord &a)
{
    return a.invoiceNo.isEmpty() ? QStringLiteral("Credit - Void of run %1").arg(run.runNo)
                                 : QStringLiteral("Credit - Void of invoice %1").arg(a.invoiceNo);
}

std::variant<VoidPlan, QString> planVoid(const FileStore &store, const RunRegister &reg, int runNo, int accountNumber,
                                         const QLocale &locale)
{
    const RunRecord *run = reg.run(runNo);
    if (!run)
        return QStringLiteral("There is no billing run %1 in the register.").arg(runNo);
    if (run->mode == RunMode::Void)
        return QStringLiteral("Run %1 is itself a void; it cannot be voided.").arg(runNo);
    VoidPlan plan;
    plan.run = *run;
    std::vector<RegisteredAccount> accounts = reg.accounts(store, *run);
    if (accountNumber != 0) {
        std::erase_if(accounts, [&](const RegisteredAccount &a) { return a.number != accountNumber; });
        if (accounts.empty())
            return QStringLiteral("Run %1 has no such account.").arg(runNo);
        const RegisteredAccount &a = accounts.front();
        if (a.voidedBy != 0)
            return QStringLiteral("%1 was voided on %2 (run %3); it cannot be voided twice.")
                .arg(invoiceOrEntry(*run, a.record, true), dates::toShortDateText(a.voidedOn, locale))
                .arg(a.voidedBy);
    } else {
        const auto open = std::count_if(accounts.begin(), accounts.end(), [](const RegisteredAccount &a) { return a.voidedBy == 0; });
        if (open == 0)
            return QStringLiteral("Every account of run %1 has been voided already.").arg(runNo);
        // What a void before took back stays taken back: the rest is voided.
        std::erase_if(accounts, [](const RegisteredAccount &a) { return a.voidedBy != 0; });
    }

    const customers::AcctNoIndex customers = customers::AcctNoIndex::read(store);
    QSet<QString> known;
    for (int n = 1; n <= customers.count(); ++n)
        known.insert(customers.number(n));
    QStringList removed, tooLong;
    QHash<QString, int> stock;
    QStringList stockOrder;
    for (RegisteredAccount &a : accounts) {
        const RunAccountRecord &r = a.record;
        VoidLine line;
        line.ledgerFile = ledger::ledgerFile(r.acctNo);
        const std::optional<ledger::Balance> balance =
            line.ledgerFile.isEmpty() ? std::nullopt : ledger::accountBalance(store, line.ledgerFile, locale);
        if (!known.contains(r.acctNo) || !balance) {
            removed << QStringLiteral("%1 (%2)").arg(r.acctNo, r.name);
            continue;
        }
        for (Money tax : {r.tax1, r.tax2})
            if (tax.raw() > 0 && !negativeTax(tax))
                tooLong << r.acctNo;
        line.before = *balance;
        for (const RunItemRecord &item : a.items) {
            if (!stock.contains(item.description))
                stockOrder << item.description;
            stock[item.description] += item.stockTaken;
        }
        plan.total += r.total;
        line.account = std::move(a);
        plan.lines.push_back(std::move(line));
    }
    if (!removed.isEmpty()) {
        if (accountNumber != 0)
            return QStringLiteral("Account %1 has been removed (or its ledger purged), so %2 cannot be voided.")
                .arg(removed.first(), invoiceOrEntry(*run, accounts.front().record));
        return QStringLiteral("Run %1 cannot be voided as a whole: %2 %3 been removed (or their ledgers purged): %4. "
                              "Void the other invoices one at a time.")
            .arg(runNo)
            .arg(removed.size() == 1 ? QStringLiteral("this account") : QStringLiteral("these accounts"),
                 removed.size() == 1 ? QStringLiteral("has") : QStringLiteral("have"), removed.join(QStringLiteral(", ")));
    }
    if (!tooLong.isEmpty())
        return QStringLiteral("The tax of account %1 is too long to be written negative in the tax records; nothing "
                              "was voided.")
            .arg(tooLong.first());
    for (const QString &d : stockOrder)
        if (stock.value(d) != 0)
            plan.stockReturned.push_back({d, stock.value(d)});
    return plan;
}

namespace {

// Everything the void writes for one account.
void stageVoidOf(Transaction &tx, const RunRecord &run, const VoidLine &line, const QDate &today,
                 RegisterWriter &reg, const QLocale &locale)
{
    const RunAccountRecord &a = line.account.record;
    const QString day = dates::toShortDateText(today, locale);
    const QString reference = QStringLiteral("VOID ") + (a.invoiceNo.isEmpty() ? a.service : a.invoiceNo);
    for (const auto &[amount, name] : {std::pair{a.tax1, a.tax1Name}, std::pair{a.tax2, a.tax2Name}}) {
        if (amount.raw() > 0)
            tx.append(kTaxRecordsFile, TaxRecord::kLength,
                      TaxRecord{name, day, reference, negativeTax(amount).value_or(QString())}.encode());
    }
    const ledger::LedgerEntry entry =
        ledger::makeEntry(a.acctNo, a.name, a.total.toPlainText(), voidEntryText(run, a), today, locale);
    ledger::stageLedgerEntry(tx, line.ledgerFile, entry, today, locale);

    RunAccountRecord credit = a;
    credit.reverses = line.account.number;
    credit.ledgerRecord = detail::ledgerRecordOf(tx, line.ledgerFile);
    std::vector<RunItemRecord> items;
    if (run.mode == RunMode::Printed) {
        tx.append(kSalesJournalFile, SalesJournalRecord::kLength,
                  SalesJournalRecord{a.name, a.acctNo, a.invoiceNo, today, -a.subtotal, -(a.tax1 + a.tax2), Money(),
                                     -a.total}
                      .encode());
        std::vector<catalog::UnitsSold> back;
        std::vector<SoldLine> lines;
        for (const RunItemRecord &item : line.account.items) {
            tx.append(kSoldItemsFile, SoldItemRecord::kLength,
                      SoldItemRecord{item.description, today, a.invoiceNo, std::int16_t(-item.units)}.encode());
            back.push_back({item.description, -item.stockTaken});
            lines.push_back({item.description, item.units, item.unitPrice, item.total});
        }
        const std::vector<int> given = catalog::stageUnitsSold(tx, back);
        for (size_t i = 0; i < line.account.items.size(); ++i) {
            RunItemRecord item = line.account.items[i];
            item.units = std::int16_t(-item.units);
            item.stockTaken = std::int16_t(given[i]);
            items.push_back(item);
        }
        const BillingAccount billed{a.acctNo, a.name, a.address1, a.address2, a.address3, a.state,
                                    QString(),  a.address4, QString()};
        tx.replace(creditNoteFile(a.invoiceNo), completedInvoice(a.invoiceNo, billed, a.service, run.made.date(), a.charge,
                                                                 lines, a.subtotal, {a.tax1, a.tax2}, a.total, locale));
    } else {
        for (RunItemRecord item : line.account.items) {
            item.units = std::int16_t(-item.units);
            items.push_back(item);
        }
    }
    reg.stageAccount(tx, credit, items);
}

} // namespace

VoidOutcome postVoid(const FileStore &store, const VoidPlan &plan, const QDateTime &now, const QLocale &locale,
                     const std::function<bool(int, const VoidLine &)> &progress)
{
    VoidOutcome out;
    if (plan.lines.empty())
        return out;
    if (FileResult r = ledger::ensureLedgerFolders(store); !r) {
        out.result = r;
        return out;
    }
    for (const QString &file : {kTaxRecordsFile, kSoldItemsFile, kSalesJournalFile})
        store.restoreFromBackup(file);
    if (plan.run.mode == RunMode::Printed && !store.makeFolder(QStringLiteral("/CompletedInvoices"))) {
        out.result = FileResult::failure(QStringLiteral("the folder CompletedInvoices cannot be made"));
        return out;
    }
    RunRecord header;
    header.made = now;
    header.mode = RunMode::Void;
    header.frequency = plan.run.frequency;
    header.month = plan.run.month;
    header.usaAddresses = plan.run.usaAddresses;
    header.voidsRun = plan.run.runNo;
    RegisterWriter reg(store, header);
    Transaction tx(store, voidKind(plan.run.runNo));
    detail::RunNote note;
    for (size_t i = 0; i < plan.lines.size(); ++i) {
        const VoidLine &line = plan.lines[i];
        if (progress && !progress(int(i), line)) {
            out.result = FileResult::failure(QStringLiteral("the void was cancelled before anything was written"));
            return out;
        }
        tx.setPart(int(i));
        stageVoidOf(tx, plan.run, line, now.date(), reg, locale);
        note.accounts.append(line.account.record.acctNo);
        if (!line.account.record.invoiceNo.isEmpty() && plan.run.mode == RunMode::Printed)
            out.creditNotes.append(line.account.record.invoiceNo);
    }
    reg.stageRun(tx);
    tx.setNote(detail::encodeRunNote(note));
    if (FileResult r = tx.commit(); !r) {
        out.result = r;
        out.creditNotes.clear();
        return out;
    }
    out.voidRunNo = reg.runNo();
    out.accounts = int(plan.lines.size());
    out.total = plan.total;
    return out;
}

QString voidOutcomeText(const VoidPlan &plan, const VoidOutcome &out, const QLocale &locale)
{
    if (!out.result) {
        if (out.result.replaced)
            return QStringLiteral("The void of run %1 could not be confirmed by the disk (%2). It will be completed when "
                                  "the program next starts.")
                .arg(plan.run.runNo)
                .arg(out.result.error);
        return QStringLiteral("Nothing was voided: %1.").arg(out.result.error);
    }
    QStringList lines;
    lines << QStringLiteral("Run %1 was voided as run %2: %3 %4 credited %5 in all.")
                 .arg(plan.run.runNo)
                 .arg(out.voidRunNo)
                 .arg(out.accounts)
                 .arg(out.accounts == 1 ? QStringLiteral("account") : QStringLiteral("accounts"),
                      out.total.toCurrencyText(locale));
    Money tax;
    for (const VoidLine &l : plan.lines)
        tax += l.account.record.tax1 + l.account.record.tax2;
    if (tax.raw() != 0)
        lines << QStringLiteral("Tax records of -%1 were written.").arg(tax.toCurrencyText(locale));
    if (plan.run.mode == RunMode::Printed)
        lines << QStringLiteral("The sales journal has the invoices again with their amounts negative; credit notes "
                                "were filed for %1.")
                     .arg(out.creditNotes.join(QStringLiteral(", ")));
    QStringList stock;
    for (const catalog::UnitsSold &s : plan.stockReturned)
        stock << QStringLiteral("%1 %2").arg(s.units).arg(s.description);
    if (!stock.isEmpty())
        lines << QStringLiteral("Stock returned: %1.").arg(stock.join(QStringLiteral(", ")));
    return lines.join(u'\n');
}

InvoiceToPrint creditNote(const RunRecord &run, const RegisteredAccount &account, const QDate &voidedOn,
                          const QLocale &locale)
{
    InvoiceToPrint note = registeredInvoice(run, account.record, account.items, locale);
    note.values.title = QStringLiteral("CREDIT NOTE");
    note.values.asksPayment = false;
    note.values.reference = QStringLiteral("Voided ") + dates::toShortDateText(voidedOn, locale);
    return note;
}

} // namespace billing
