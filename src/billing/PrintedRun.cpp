#include "billing/PrintedRun.h"

#include "base/Dates.h"
#include "base/RecordCodec.h"
#include "base/ValueList.h"
#include "billing/RunGroups.h"
#include "catalog/CatalogRecords.h"
#include "ledger/Ledger.h"


using namespace base;
using namespace store;

namespace billing {

namespace {

// The two counter files, read strictly: a file that is there but does not
// hold its numbers stops the run rather than restart the numbering.
struct Counter {
    int day = 0;
    qint64 seq = 1;
    bool readable = true;
};

Counter readAutomatic(const FileStore &store, int today)
{
    Counter c{today, 1, true};
    if (!store.dataFileExists(kInvoiceCounterFile))
        return c;
    const QStringList values = valuelist::decodeText(store.readFile(kInvoiceCounterFile).value_or(QByteArray()))
                                   .trimmed()
                                   .split(u',');
    bool dayOk = false, seqOk = false;
    const int day = values.value(0).trimmed().toInt(&dayOk);
    const qint64 seq = values.value(1).trimmed().toLongLong(&seqOk);
    if (values.size() != 2 || !dayOk || !seqOk || seq < 1) {
        c.readable = false;
        return c;
    }
    if (day == today)
        c.seq = seq;
    return c;
}

std::optional<qint64> readManual(const FileStore &store, bool *readable)
{
    *readable = true;
    if (!store.dataFileExists(kManualInvoiceNoFile))
        return 100000;
    bool ok = false;
    const qint64 last =
        valuelist::decodeText(store.readFile(kManualInvoiceNoFile).value_or(QByteArray())).trimmed().toLongLong(&ok);
    if (!ok || last < 0 || last > 2147483646) {
        *readable = false;
        return std::nullopt;
    }
    return last == 0 ? 100000 : last;
}

QString unreadable(const QString &file)
{
    return QStringLiteral("the invoice number file %1 cannot be read, so no number was drawn; restore it or delete it "
                          "to start the numbering again")
        .arg(file.mid(1));
}

} // namespace

QString completedInvoiceFile(const QString &invoiceNo)
{
    return QStringLiteral("/CompletedInvoices/") + invoiceNo + QStringLiteral(".txt");
}

DrawnNumber reserveInvoiceNo(const FileStore &store, bool sequential, const QDate &today)
{
    DrawnNumber d;
    if (sequential) {
        bool readable = true;
        const std::optional<qint64> last = readManual(store, &readable);
        if (!readable) {
            d.result = FileResult::failure(unreadable(kManualInvoiceNoFile));
            return d;
        }
        qint64 number = *last + 1;
        while (store.fileExists(completedInvoiceFile(QString::number(number))))
            ++number;
        d.invoiceNo = QString::number(number);
        d.result = store.replaceFile(kManualInvoiceNoFile, valuelist::encodeText(d.invoiceNo + QStringLiteral("\r\n")));
        store.killIfExists(FileStore::backupName(kManualInvoiceNoFile));
        return d;
    }
    Counter c = readAutomatic(store, today.dayOfYear());
    if (!c.readable) {
        d.result = FileResult::failure(unreadable(kInvoiceCounterFile));
        return d;
    }
    while (store.fileExists(completedInvoiceFile(QStringLiteral("%1-%2").arg(c.day).arg(c.seq))))
        ++c.seq;
    d.invoiceNo = QStringLiteral("%1-%2").arg(c.day).arg(c.seq);
    // Stored past the number at once: a print error, a cancel or a kill
    // leaves a gap, never a number used twice.
    d.result = store.replaceFile(kInvoiceCounterFile,
                                 valuelist::encodeText(QStringLiteral("%1,%2\r\n").arg(c.day).arg(c.seq + 1)));
    store.killIfExists(FileStore::backupName(kInvoiceCounterFile));
    return d;
}

QStringList peekInvoiceNos(const FileStore &store, bool sequential, const QDate &today, int count)
{
    QStringList numbers;
    if (sequential) {
        bool readable = true;
        qint64 number = readManual(store, &readable).value_or(100000);
        while (numbers.size() < count) {
            ++number;
            if (!store.fileExists(completedInvoiceFile(QString::number(number))))
                numbers.append(QString::number(number));
        }
        return numbers;
    }
    Counter c = readAutomatic(store, today.dayOfYear());
    for (; numbers.size() < count; ++c.seq) {
        const QString n = QStringLiteral("%1-%2").arg(c.day).arg(c.seq);
        if (!store.fileExists(completedInvoiceFile(n)))
            numbers.append(n);
    }
    return numbers;
}

QByteArray SoldItemRecord::encode() const
{
    RecordWriter w(kLength);
    w.putText(0, 60, description.trimmed());
    w.putDate(60, QDateTime(date, QTime(0, 0)));
    w.putText(68, 20, invoiceNo);
    w.putInt16(88, units);
    return w.bytes();
}

SoldItemRecord SoldItemRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    return {r.text(0, 60), r.date(60).date(), r.text(68, 20), r.int16(88)};
}

QByteArray SalesJournalRecord::encode() const
{
    RecordWriter w(kLength);
    w.putText(0, 45, name.trimmed());
    w.putText(45, 20, acctNo.trimmed());
    w.putText(65, 20, invoiceNo);
    w.putDate(85, QDateTime(date, QTime(0, 0)));
    w.putMoney(93, subtotal);
    w.putMoney(101, taxes);
    w.putMoney(109, unused);
    w.putMoney(117, total);
    return w.bytes();
}

SalesJournalRecord SalesJournalRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    return {r.text(0, 45), r.text(45, 20), r.text(65, 20), r.date(85).date(),
            r.money(93),   r.money(101),   r.money(109),   r.money(117)};
}

QByteArray completedInvoice(const QString &invoiceNo, const BillingAccount &a, const QString &service, const QDate &date,
                            Money charge, const std::vector<SoldLine> &items, Money subtotal, const Taxes &taxes,
                            Money total, const QLocale &locale)
{
    QStringList lines;
    // A number on a print line has a blank for its sign and one after it.
    auto number = [](const QString &n) { return u' ' + n + u' '; };
    const QString day = dates::toShortDateText(date, locale);
    lines << invoiceNo << a.acctNo << a.name << day << number(total.toPlainText());
    QByteArray out = valuelist::encodeText(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    valuelist::Writer values;
    for (const QString &v : {a.name, a.address1, a.address2, a.address3, a.state, a.address4})
        values.text(v).endLine();
    for (int i = 0; i < 8; ++i)
        values.text(QString()).endLine();
    out += values.bytes();
    lines.clear();
    const QString chargeText = charge.toCurrencyText(locale);
    lines << invoiceNo << a.acctNo << service.trimmed() << QString() << number(QString::number(1 + items.size()))
          << QString() << QStringLiteral("1") << service.trimmed() << day << chargeText << chargeText
          << QStringLiteral("True");
    for (const SoldLine &item : items)
        lines << QString::number(item.units) << QString() << item.description << item.unitPrice.toCurrencyText(locale)
              << item.total.toCurrencyText(locale) << QStringLiteral("True");
    out += valuelist::encodeText(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    valuelist::Writer totals;
    for (Money m : {subtotal, taxes.tax1, taxes.tax2, total, Money(), Money(), Money()})
        totals.text(m.toCurrencyText(locale));
    totals.endLine();
    return out + totals.bytes();
}

namespace {

// An invoice from what the run keeps of it, dated and numbered, with the
// reference of the month it bills.
InvoiceToPrint invoiceOf(const RunAccountRecord &a, const QString &invoiceNo, const QDate &date, int month,
                         bool usaAddresses, const std::vector<SoldLine> &items, const QLocale &locale)
{
    InvoiceToPrint p;
    p.values.acctNo = a.acctNo;
    p.values.invoiceNo = invoiceNo;
    p.values.date = date;
    p.values.reference = monthNames().value(month) + QStringLiteral(", ") + QString::number(date.year())
                         + QStringLiteral(" Billing");
    p.values.customer = {a.name, a.address1, a.address2, a.address3, a.state, a.address4, usaAddresses};
    p.values.subTotal = a.subtotal;
    p.values.tax1 = a.tax1;
    p.values.tax2 = a.tax2;
    p.values.total = a.total;
    const QString chargeText = a.charge.toCurrencyText(locale);
    p.lines.append({QStringLiteral("1"), dates::toShortDateText(date, locale), a.description, chargeText, chargeText});
    for (const SoldLine &item : items)
        p.lines.append({QString::number(item.units), QString(), item.description, item.unitPrice.toCurrencyText(locale),
                        item.total.toCurrencyText(locale)});
    return p;
}

BillingAccount billedAccount(const RunAccountRecord &a)
{
    return {a.acctNo, a.name, a.address1, a.address2, a.address3, a.state, QString(), a.address4, QString()};
}

} // namespace

InvoiceToPrint invoiceFor(const FileStore &store, const Posting &posting, const QString &invoiceNo,
                          const RunSettings &settings, const QLocale &locale)
{
    InvoiceToPrint p = invoiceOf(posting.registered, invoiceNo, settings.date, settings.month, settings.usaAddresses,
                                 settings.items, locale);
    if (settings.showPreviousBalance)
        p.values.previousBalance =
            ledger::accountBalance(store, posting.ledgerFile, locale).value_or(ledger::Balance{}).total;
    return p;
}

InvoiceToPrint registeredInvoice(const RunRecord &run, const RunAccountRecord &account,
                                 const std::vector<RunItemRecord> &items, const QLocale &locale)
{
    std::vector<SoldLine> lines;
    for (const RunItemRecord &i : items)
        lines.push_back({i.description, std::abs(i.units), i.unitPrice, i.total});
    return invoiceOf(account, account.invoiceNo, run.made.date(), run.month, run.usaAddresses != 0, lines, locale);
}

namespace {

// Everything one printed account writes, staged in its transaction: the
// posting (with the invoice number as the taxes' reference), the completed
// invoice, its sold items, its sales-journal record, the stock sold and
// its entry in the register.
void stageInvoice(Transaction &tx, const PrintedRunInput &in, const Posting &posting, const QString &invoiceNo,
                  RegisterWriter &reg, const QLocale &locale)
{
    const RunSettings &s = in.settings;
    detail::stagePosting(tx, posting, s.date, locale);
    RunAccountRecord account = posting.registered;
    account.invoiceNo = invoiceNo;
    account.ledgerRecord = detail::ledgerRecordOf(tx, posting.ledgerFile);
    tx.replace(completedInvoiceFile(invoiceNo),
               completedInvoice(invoiceNo, billedAccount(account), account.service, s.date, account.charge, s.items,
                                posting.subtotal, posting.amounts, posting.total, locale));
    for (const SoldLine &item : s.items)
        tx.append(kSoldItemsFile, SoldItemRecord::kLength,
                  SoldItemRecord{item.description, s.date, invoiceNo, std::int16_t(item.units)}.encode());
    tx.append(kSalesJournalFile, SalesJournalRecord::kLength,
              SalesJournalRecord{account.name, account.acctNo, invoiceNo, s.date, posting.subtotal,
                                 posting.amounts.tax1 + posting.amounts.tax2, Money(), posting.total}
                  .encode());
    std::vector<catalog::UnitsSold> sold;
    for (const SoldLine &item : s.items)
        sold.push_back({item.description, item.units});
    const std::vector<int> taken = catalog::stageUnitsSold(tx, sold);
    reg.stageAccount(tx, account, detail::itemRecords(s.items, taken));
    reg.stageRun(tx);
}

// One account: its number drawn, its transaction prepared (from here a
// kill is finished at the next start), the invoice printed, then the
// changes made. A print error abandons them: the account stays unbilled,
// its number a gap.
bool postInvoice(const FileStore &store, const PrintedRunInput &in, size_t i, RegisterWriter &reg,
                 const QLocale &locale, printing::InvoiceSink &sink, PrintedOutcome &out)
{
    const DrawnNumber drawn = reserveInvoiceNo(store, in.sequential, in.settings.date);
    out.failedAt = int(i);
    if (!drawn.result) {
        // Nothing of the account was written, whatever became of the counter.
        out.result = FileResult::failure(drawn.result.error);
        return false;
    }
    out.failedInvoice = drawn.invoiceNo;
    Posting posting = in.postings[i];
    for (TaxRecord &t : posting.taxes)
        t.reference = drawn.invoiceNo;
    if (!store.makeFolder(QStringLiteral("/CompletedInvoices"))) {
        out.result = FileResult::failure(QStringLiteral("the folder CompletedInvoices cannot be made"));
        return false;
    }
    Transaction tx(store, kRunKind);
    stageInvoice(tx, in, posting, drawn.invoiceNo, reg, locale);
    detail::RunNote note{{posting.entry.acctNo}, drawn.invoiceNo, false};
    tx.setNote(detail::encodeRunNote(note));
    if (FileResult r = tx.prepare(); !r) {
        reg.takenBack();
        out.result = r;
        return false;
    }
    // Read before the commit: the ledger does not yet hold this invoice.
    const InvoiceToPrint invoice = invoiceFor(store, posting, drawn.invoiceNo, in.settings, locale);
    if (!sink.print(invoice.values, invoice.lines)) {
        tx.abandon();
        reg.takenBack();
        out.failedAt = -1;
        out.printFailed = true;
        out.printReason = sink.error();
        return false;
    }
    // Noted as printed; should even this fail, the next start only calls
    // the invoice possibly unprinted.
    note.printed = true;
    (void)tx.updateNote(detail::encodeRunNote(note));
    if (FileResult r = tx.commit(); !r) {
        reg.takenBack();
        out.result = r;
        out.failedTakenBack = !r.replaced;
        if (r.replaced)
            out.unconfirmed.push_back(posting.row);
        return false;
    }
    reg.committed();
    out.failedAt = -1;
    out.failedInvoice.clear();
    out.posted.push_back(posting.row);
    out.invoices.append(drawn.invoiceNo);
    return true;
}

} // namespace

PrintedOutcome postPrintedRun(const FileStore &store, const PrintedRunInput &in, const QLocale &locale,
                              printing::InvoiceSink &sink, const std::function<bool(int, const Posting &)> &progress)
{
    PrintedOutcome out;
    if (FileResult r = ledger::ensureLedgerFolders(store); !r) {
        out.result = r;
        out.failedAt = in.postings.empty() ? -1 : 0;
        return out;
    }
    // The files every account appends to, restored from their backups once.
    for (const QString &file : {kTaxRecordsFile, kSoldItemsFile, kSalesJournalFile})
        store.restoreFromBackup(file);
    RegisterWriter reg(store, detail::runHeader(in.settings, RunMode::Printed));
    for (size_t i = 0; i < in.postings.size(); ++i) {
        if (progress && !progress(int(i), in.postings[i])) {
            out.cancelled = true;
            break;
        }
        if (!postInvoice(store, in, i, reg, locale, sink, out))
            break;
    }
    return out;
}

} // namespace billing
