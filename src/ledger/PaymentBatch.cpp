#include "ledger/PaymentBatch.h"

using namespace store;

namespace ledger {

FileResult writePayments(const FileStore &store, const std::vector<Payment> &payments, const QDate &today,
                         const QLocale &locale)
{
    for (const Payment &p : payments) {
        if (p.ledgerFile.isEmpty() || !p.ledgerFile.startsWith(kActiveAccountsFolder + u'/'))
            return FileResult::failure(QStringLiteral("the account number \"%1\" cannot name a ledger").arg(p.entry.acctNo));
    }
    if (FileResult r = ensureLedgerFolders(store); !r)
        return r;
    Transaction tx(store, QStringLiteral("a batch of payments"));
    store.restoreFromBackup(kPaymentJournal);
    for (const Payment &p : payments) {
        stageLedgerEntry(tx, p.ledgerFile, p.entry, today, locale);
        tx.append(kPaymentJournal, LedgerEntry::kLength, p.entry.encode());
    }
    return tx.commit();
}

FileResult purgeLedgers(const FileStore &store, const QStringList &ledgerFiles)
{
    Transaction tx(store, QStringLiteral("a purge of paid-up accounts"));
    store.restoreFromBackup(kFinancialHistoryFile);
    for (const QString &f : ledgerFiles) {
        if (store.restoreFromBackup(f)) {
            QByteArray entries = tx.contents(f).value_or(QByteArray());
            entries.truncate(entries.size() - entries.size() % LedgerEntry::kLength);
            const qint64 at = std::max<qint64>(tx.size(kFinancialHistoryFile), 0) / LedgerEntry::kLength * LedgerEntry::kLength;
            if (!entries.isEmpty())
                tx.writeAt(kFinancialHistoryFile, at, entries, at + entries.size());
            tx.remove(f);
        }
        if (store.fileExists(backupFile(f)))
            tx.remove(backupFile(f));
    }
    return tx.commit();
}

} // namespace ledger
