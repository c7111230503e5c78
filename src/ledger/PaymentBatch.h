#pragma once
// Writing a batch of payments, and purging paid-up ledgers: each is one
// transaction, so a batch is posted whole or not at all (a crash is
// finished at the next start), each payment to its ledger, the ledger's
// backup copy and the journal, in that order.
#include "ledger/Ledger.h"

namespace ledger {

struct Payment {
    QString ledgerFile;
    LedgerEntry entry;
    bool operator==(const Payment &) const = default;
};

store::FileResult writePayments(const store::FileStore &store, const std::vector<Payment> &payments, const QDate &today,
                                const QLocale &locale);

// Deletes the ledgers and their backup copies, each ledger's entries first
// appended to the financial history "/CAHistory.txt" in order, so purging
// a paid-up account never loses its money history.
store::FileResult purgeLedgers(const store::FileStore &store, const QStringList &ledgerFiles);

} // namespace ledger
