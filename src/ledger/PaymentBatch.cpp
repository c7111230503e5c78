#include "ledger/PaymentBatch.h"

#include "base/ValueList.h"

using namespace base;
using namespace store;

namespace ledger {

namespace {

struct Pending {
    int ledgerBefore = -1; // counts for the first payment, -1 before it is begun
    int journalBefore = -1;
    std::vector<Payment> payments;
};

QByteArray encodePending(const Pending &p)
{
    valuelist::Writer w;
    w.integer(p.ledgerBefore).integer(p.journalBefore).integer(qint64(p.payments.size())).endLine();
    for (const Payment &pay : p.payments) {
        w.text(pay.ledgerFile);
        pay.entry.writeTo(w);
        w.endLine();
    }
    return w.bytes();
}

std::optional<Pending> readPending(const FileStore &store)
{
    const std::optional<QByteArray> file = store.readFile(kPendingPayments);
    if (!file)
        return std::nullopt;
    valuelist::Reader r(*file);
    Pending p;
    p.ledgerBefore = int(r.integer(-1));
    p.journalBefore = int(r.integer(-1));
    const qint64 count = r.integer(0);
    for (qint64 i = 0; i < count && !r.atEnd(); ++i) {
        Payment pay;
        pay.ledgerFile = r.text();
        pay.entry = LedgerEntry::readFrom(r);
        p.payments.push_back(pay);
    }
    return p;
}

FileResult savePending(const FileStore &store, const Pending &p)
{
    if (p.payments.empty()) {
        store.killIfExists(kPendingPayments);
        return FileResult::success();
    }
    return store.replaceFile(kPendingPayments, encodePending(p));
}

FileResult finish(const FileStore &store, Pending p, const QDate &today, const QLocale &locale)
{
    while (!p.payments.empty()) {
        const Payment &pay = p.payments.front();
        if (p.ledgerBefore < 0) {
            // Before anything is written: where the ledger and the journal end now.
            store.dataFileExists(pay.ledgerFile);
            store.dataFileExists(kPaymentJournal);
            p.ledgerBefore = int(store.wholeRecords(pay.ledgerFile, LedgerEntry::kLength));
            p.journalBefore = int(store.wholeRecords(kPaymentJournal, LedgerEntry::kLength));
            if (FileResult r = savePending(store, p); !r)
                return r;
        }
        store.dataFileExists(pay.ledgerFile);
        if (int(store.wholeRecords(pay.ledgerFile, LedgerEntry::kLength)) <= p.ledgerBefore) {
            if (FileResult r = appendLedgerEntry(store, pay.ledgerFile, pay.entry, today, locale); !r)
                return r;
        }
        if (FileResult r = backupLedger(store, pay.ledgerFile); !r)
            return r;
        store.dataFileExists(kPaymentJournal);
        if (int(store.wholeRecords(kPaymentJournal, LedgerEntry::kLength)) <= p.journalBefore) {
            if (FileResult r = appendPaymentRecord(store, pay.entry); !r)
                return r;
        }
        p.payments.erase(p.payments.begin());
        p.ledgerBefore = p.journalBefore = -1;
        if (FileResult r = savePending(store, p); !r)
            return r;
    }
    return FileResult::success();
}

} // namespace

FileResult writePayments(const FileStore &store, const std::vector<Payment> &payments, const QDate &today,
                         const QLocale &locale)
{
    if (FileResult r = recoverPayments(store, today, locale); !r)
        return r;
    for (const Payment &p : payments) {
        if (p.ledgerFile.isEmpty() || !p.ledgerFile.startsWith(kActiveAccountsFolder + u'/'))
            return FileResult::failure(QStringLiteral("the account number \"%1\" cannot name a ledger").arg(p.entry.acctNo));
    }
    Pending p;
    p.payments = payments;
    if (FileResult r = savePending(store, p); !r)
        return r;
    return finish(store, p, today, locale);
}

FileResult recoverPayments(const FileStore &store, const QDate &today, const QLocale &locale)
{
    const std::optional<Pending> p = readPending(store);
    if (!p)
        return FileResult::success();
    return finish(store, *p, today, locale);
}

namespace {
const QString kPendingPurge = QStringLiteral("/PurgeLedgers.pending");

// The ledger's whole records written at the history's count before it and
// the ledger deleted: done again from the same count after a kill, the
// entries land in the same place.
FileResult archiveAndDelete(const FileStore &store, const QString &ledgerFile, qint64 historyBefore)
{
    if (store.dataFileExists(ledgerFile)) {
        QByteArray entries = store.readFile(ledgerFile).value_or(QByteArray());
        entries.truncate(entries.size() - entries.size() % LedgerEntry::kLength);
        const qint64 at = historyBefore * LedgerEntry::kLength;
        if (!entries.isEmpty()) {
            if (FileResult r = store.writeBytes(kFinancialHistoryFile, at, entries, at + entries.size()); !r)
                return r;
        }
    }
    store.deleteDataFile(ledgerFile);
    return FileResult::success();
}
} // namespace

FileResult purgeLedgers(const FileStore &store, const QStringList &ledgerFiles)
{
    if (FileResult r = recoverLedgerPurge(store); !r)
        return r;
    for (const QString &f : ledgerFiles) {
        store.dataFileExists(kFinancialHistoryFile);
        const qint64 before = store.wholeRecords(kFinancialHistoryFile, LedgerEntry::kLength);
        valuelist::Writer w;
        w.text(f).integer(before).endLine();
        if (FileResult r = store.replaceFile(kPendingPurge, w.bytes()); !r)
            return r;
        if (FileResult r = archiveAndDelete(store, f, before); !r)
            return r;
    }
    store.killIfExists(kPendingPurge);
    return FileResult::success();
}

FileResult recoverLedgerPurge(const FileStore &store)
{
    const std::optional<QByteArray> pending = store.readFile(kPendingPurge);
    if (!pending)
        return FileResult::success();
    valuelist::Reader r(*pending);
    const QString ledgerFile = r.text();
    const qint64 before = r.integer(-1);
    if (!ledgerFile.isEmpty() && before >= 0) {
        if (FileResult result = archiveAndDelete(store, ledgerFile, before); !result)
            return result;
    }
    store.killIfExists(kPendingPurge);
    return FileResult::success();
}

} // namespace ledger
