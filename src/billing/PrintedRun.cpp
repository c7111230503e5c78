#include "billing/PrintedRun.h"

#include "base/Dates.h"
#include "base/RecordCodec.h"
#include "base/ValueList.h"
#include "billing/RunGroups.h"
#include "catalog/CatalogRecords.h"

#include <QMap>
#include <tuple>

using namespace base;
using namespace store;

namespace billing {

namespace {

const QString kPendingInvoice = QStringLiteral("/BillingInvoice.pending");

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

InvoiceToPrint invoiceFor(const CycleGrid &grid, const CycleRow &row, const Posting &posting, const QString &invoiceNo,
                          const std::vector<SoldLine> &items, const RunSettings &settings, int billingMonth,
                          const QLocale &locale)
{
    const BillingAccount a = grid.account(row.rec);
    InvoiceToPrint p;
    p.values.acctNo = a.acctNo;
    p.values.invoiceNo = invoiceNo;
    p.values.date = settings.date;
    p.values.reference = monthNames().value(billingMonth) + QStringLiteral(", ") + QString::number(settings.date.year())
                         + QStringLiteral(" Billing");
    p.values.customer = {a.name, a.address1, a.address2, a.address3, a.state, a.address4, settings.usaAddresses};
    p.values.subTotal = posting.subtotal;
    p.values.tax1 = posting.amounts.tax1;
    p.values.tax2 = posting.amounts.tax2;
    p.values.total = posting.total;
    const Money charge = posting.subtotal - (settings.itemsAdded ? settings.itemsTotal : Money());
    const QString chargeText = charge.toCurrencyText(locale);
    p.lines.append({QStringLiteral("1"), dates::toShortDateText(settings.date, locale),
                    grid.service(row).trimmed() + u' ' + a.reference, chargeText, chargeText});
    for (const SoldLine &item : items)
        p.lines.append({QString::number(item.units), QString(), item.description, item.unitPrice.toCurrencyText(locale),
                        item.total.toCurrencyText(locale)});
    return p;
}

namespace {

// Everything one printed account writes, with the counts of each file
// before it: kept in the pending file until the account is complete.
struct PendingInvoice {
    detail::PendingGroup ledgerPart;
    QString invoiceNo;
    qint64 soldBefore = 0, journalBefore = 0;
    QByteArray completed, sold, journal;
    QMap<int, int> stock; // item record number -> units on hand afterwards
    bool printed = false; // a line added once the printer took the invoice
};

// The line added to the marker once the invoice is printed, so that an
// invoice a kill posted before it was printed can be named at the start.
const QByteArray kPrintedLine = QByteArrayLiteral("#TRUE#\r\n");

QByteArray encodeInvoice(const PendingInvoice &p)
{
    valuelist::Writer w;
    w.text(QString::fromLatin1(detail::encodeGroup(p.ledgerPart).toHex())).text(p.invoiceNo).integer(p.soldBefore)
        .integer(p.journalBefore).text(QString::fromLatin1(p.completed.toHex())).text(QString::fromLatin1(p.sold.toHex()))
        .text(QString::fromLatin1(p.journal.toHex())).integer(p.stock.size());
    for (auto it = p.stock.cbegin(); it != p.stock.cend(); ++it)
        w.integer(it.key()).integer(it.value());
    w.endLine();
    return w.bytes();
}

std::optional<PendingInvoice> decodeInvoice(const QByteArray &bytes)
{
    valuelist::Reader r(bytes);
    const qint64 values = qint64(r.fieldCount());
    PendingInvoice p;
    const std::optional<detail::PendingGroup> group = detail::decodeGroup(QByteArray::fromHex(r.text().toLatin1()));
    if (!group || group->postings.size() != 1)
        return std::nullopt;
    p.ledgerPart = *group;
    p.invoiceNo = r.text();
    p.soldBefore = r.integer(-1);
    p.journalBefore = r.integer(-1);
    p.completed = QByteArray::fromHex(r.text().toLatin1());
    p.sold = QByteArray::fromHex(r.text().toLatin1());
    p.journal = QByteArray::fromHex(r.text().toLatin1());
    const qint64 n = r.integer(-1);
    // Two values an item: a count beyond the values there is damage.
    if (!FileStore::isSafeNameComponent(p.invoiceNo) || p.soldBefore < 0
        || p.journalBefore < 0 || p.completed.isEmpty() || p.journal.size() != SalesJournalRecord::kLength || p.sold.size() % SoldItemRecord::kLength != 0 || n < 0
        || n > values / 2)
        return std::nullopt;
    for (qint64 i = 0; i < n; ++i) {
        if (r.atEnd())
            return std::nullopt;
        const qint64 rec = r.integer(-1), onHand = r.integer(-1);
        if (rec < 1 || rec > 32767 || onHand < 0 || onHand > 32767)
            return std::nullopt;
        p.stock.insert(int(rec), int(onHand));
    }
    if (!r.atEnd()) {
        p.printed = r.boolean(false);
        if (!p.printed || !r.atEnd())
            return std::nullopt;
    }
    return p;
}

// Units on hand after the run's items are sold once more: the first record
// of each description, never below 0.
QMap<int, int> stockAfter(const FileStore &store, const std::vector<SoldLine> &items)
{
    QMap<int, int> after;
    if (items.empty() || !store.dataFileExists(catalog::kItemsFile))
        return after;
    const QByteArray file = store.readFile(catalog::kItemsFile).value_or(QByteArray());
    const int count = store.recordCount(catalog::kItemsFile, catalog::InventoriedItemRecord::kLength);
    for (const SoldLine &item : items) {
        for (int n = 1; n <= count; ++n) {
            const catalog::InventoriedItemRecord rec = catalog::InventoriedItemRecord::decode(
                file.mid(qsizetype(n - 1) * catalog::InventoriedItemRecord::kLength, catalog::InventoriedItemRecord::kLength));
            if (rec.description.trimmed() != item.description.trimmed())
                continue;
            const int onHand = after.contains(n) ? after.value(n) : rec.onHand;
            after.insert(n, std::max(0, onHand - item.units));
            break;
        }
    }
    return after;
}

FileResult finishInvoice(const FileStore &store, const PendingInvoice &p, const QDate &today, const QLocale &locale)
{
    if (FileResult r = detail::completeGroup(store, p.ledgerPart, 0, p.ledgerPart.postings.size(), today, locale); !r)
        return r;
    if (!store.makeFolder(QStringLiteral("/CompletedInvoices")))
        return FileResult::failure(QStringLiteral("the folder CompletedInvoices cannot be made"));
    if (FileResult r = store.replaceFile(completedInvoiceFile(p.invoiceNo), p.completed); !r)
        return r;
    constexpr int kSold = SoldItemRecord::kLength;
    const qint64 soldNow = store.wholeRecords(kSoldItemsFile, kSold);
    for (qint64 i = std::max<qint64>(0, soldNow - p.soldBefore); i < p.sold.size() / kSold; ++i) {
        if (FileResult r = store.appendRecord(kSoldItemsFile, kSold, p.sold.mid(i * kSold, kSold)); !r)
            return r;
    }
    if (store.wholeRecords(kSalesJournalFile, SalesJournalRecord::kLength) <= p.journalBefore) {
        if (FileResult r = store.appendRecord(kSalesJournalFile, SalesJournalRecord::kLength, p.journal); !r)
            return r;
    }
    for (auto it = p.stock.cbegin(); it != p.stock.cend(); ++it) {
        const int len = catalog::InventoriedItemRecord::kLength;
        catalog::InventoriedItemRecord rec = catalog::InventoriedItemRecord::decode(store.readRecord(catalog::kItemsFile, len, it.key()));
        rec.onHand = std::int16_t(it.value());
        if (FileResult r = store.writeRecord(catalog::kItemsFile, len, it.key(), rec.encode()); !r)
            return r;
    }
    store.killIfExists(kPendingInvoice);
    return FileResult::success();
}

// Takes back what was written of one printed account: its ledger entry
// and taxes, its completed invoice, sold items and journal record, and the
// stock as it stood (`stockBefore`). True when every file is as before.
bool undoInvoice(const FileStore &store, const PendingInvoice &p, const QMap<int, int> &stockBefore)
{
    bool ok = detail::undoPosting(store, p.ledgerPart, 0);
    store.killIfExists(completedInvoiceFile(p.invoiceNo));
    ok = ok && !store.fileExists(completedInvoiceFile(p.invoiceNo));
    for (const auto &[file, length, before] : {std::tuple{kSoldItemsFile, SoldItemRecord::kLength, p.soldBefore},
                                               std::tuple{kSalesJournalFile, SalesJournalRecord::kLength, p.journalBefore}}) {
        if (store.fileSize(file) > before * length)
            ok = store.writeBytes(file, 0, QByteArray(), before * length).ok && ok;
    }
    for (auto it = stockBefore.cbegin(); it != stockBefore.cend(); ++it) {
        const int len = catalog::InventoriedItemRecord::kLength;
        catalog::InventoriedItemRecord rec =
            catalog::InventoriedItemRecord::decode(store.readRecord(catalog::kItemsFile, len, it.key()));
        if (rec.onHand == it.value())
            continue;
        rec.onHand = std::int16_t(it.value());
        ok = store.writeRecord(catalog::kItemsFile, len, it.key(), rec.encode()).ok && ok;
    }
    return ok;
}

QMap<int, int> stockNow(const FileStore &store, const QMap<int, int> &items)
{
    QMap<int, int> now;
    for (auto it = items.cbegin(); it != items.cend(); ++it)
        now.insert(it.key(), catalog::InventoriedItemRecord::decode(
                                 store.readRecord(catalog::kItemsFile, catalog::InventoriedItemRecord::kLength, it.key()))
                                 .onHand);
    return now;
}

// Everything one printed account will write, with the counts of each file
// before it: what its marker holds.
PendingInvoice pendingInvoice(const FileStore &store, const PrintedRunInput &in, const Posting &posting,
                              const QString &invoiceNo, const QLocale &locale)
{
    const CycleRow &row = in.grid.rows[size_t(posting.row)];
    const BillingAccount account = in.grid.account(row.rec);
    PendingInvoice p;
    p.ledgerPart = detail::groupOf(store, {posting}, 0, 1);
    p.invoiceNo = invoiceNo;
    p.soldBefore = store.wholeRecords(kSoldItemsFile, SoldItemRecord::kLength);
    p.journalBefore = store.wholeRecords(kSalesJournalFile, SalesJournalRecord::kLength);
    const Money charge = posting.subtotal - (in.settings.itemsAdded ? in.settings.itemsTotal : Money());
    p.completed = completedInvoice(invoiceNo, account, in.grid.service(row), in.settings.date, charge, in.items,
                                   posting.subtotal, posting.amounts, posting.total, locale);
    for (const SoldLine &item : in.items)
        p.sold += SoldItemRecord{item.description, in.settings.date, invoiceNo, std::int16_t(item.units)}.encode();
    p.journal = SalesJournalRecord{account.name,
                                   account.acctNo,
                                   invoiceNo,
                                   in.settings.date,
                                   posting.subtotal,
                                   posting.amounts.tax1 + posting.amounts.tax2,
                                   Money(),
                                   posting.total}
                    .encode();
    p.stock = stockAfter(store, in.items);
    return p;
}

} // namespace

RecoveredRun recoverPrintedInvoice(const FileStore &store, const QDate &today, const QLocale &locale)
{
    RecoveredRun out;
    const std::optional<QByteArray> marker = store.fileExists(kPendingInvoice) ? store.readFile(kPendingInvoice) : std::nullopt;
    if (!marker)
        return out;
    const std::optional<PendingInvoice> p = decodeInvoice(*marker);
    if (!p) {
        out.setAside = detail::setAside(store, kPendingInvoice);
        if (out.setAside.isEmpty())
            out.result = FileResult::failure(QStringLiteral("a damaged %1 could not be set aside").arg(kPendingInvoice.mid(1)));
        return out;
    }
    if (FileResult r = finishInvoice(store, *p, today, locale); !r) {
        out.result = r;
        return out;
    }
    out.accounts.append(p->ledgerPart.postings.front().entry.acctNo);
    out.invoices.append(p->invoiceNo);
    if (!p->printed)
        out.unprinted.append(p->invoiceNo);
    return out;
}

PrintedOutcome postPrintedRun(const FileStore &store, const PrintedRunInput &in, const QLocale &locale,
                              const PrintInvoice &print, const std::function<bool(int, const Posting &)> &progress)
{
    PrintedOutcome out;
    out.recovered = recoverBillingRun(store, in.settings.date, locale);
    if (!out.recovered.result) {
        out.result = out.recovered.result;
        return out;
    }
    if (out.recovered.any())
        return out;
    for (size_t i = 0; i < in.postings.size(); ++i) {
        if (progress && !progress(int(i), in.postings[i])) {
            out.cancelled = true;
            break;
        }
        const DrawnNumber drawn = reserveInvoiceNo(store, in.sequential, in.settings.date);
        if (!drawn.result) {
            out.result = drawn.result;
            out.failedAt = int(i);
            break;
        }
        Posting posting = in.postings[i];
        for (TaxRecord &t : posting.taxes)
            t.reference = drawn.invoiceNo;
        const CycleRow &row = in.grid.rows[size_t(posting.row)];
        const PendingInvoice p = pendingInvoice(store, in, posting, drawn.invoiceNo, locale);
        const QMap<int, int> stockBefore = stockNow(store, p.stock);
        const QByteArray marker = encodeInvoice(p);
        if (FileResult r = store.replaceFile(kPendingInvoice, marker); !r) {
            out.result = r;
            out.failedAt = int(i);
            out.failedInvoice = drawn.invoiceNo;
            break;
        }
        // Printed first: a print error leaves this account unbilled (its
        // number a gap); once printed, the pending file finishes it.
        QString reason;
        if (!print(invoiceFor(in.grid, row, posting, drawn.invoiceNo, in.items, in.settings, in.billingMonth, locale),
                   &reason)) {
            store.killIfExists(kPendingInvoice);
            out.printFailed = true;
            out.printReason = reason;
            out.failedInvoice = drawn.invoiceNo;
            break;
        }
        // Noted as printed; should even this fail, the next start only calls
        // the invoice possibly unprinted.
        (void)store.writeBytes(kPendingInvoice, marker.size(), kPrintedLine);
        if (FileResult r = finishInvoice(store, p, in.settings.date, locale); !r) {
            out.result = r;
            out.failedAt = int(i);
            out.failedInvoice = drawn.invoiceNo;
            out.failedTakenBack = undoInvoice(store, p, stockBefore);
            if (out.failedTakenBack)
                store.killIfExists(kPendingInvoice);
            else
                out.unconfirmed.push_back(posting.row);
            break;
        }
        out.posted.push_back(posting.row);
        out.invoices.append(drawn.invoiceNo);
    }
    return out;
}

} // namespace billing
