#pragma once
// Writing a batch of payments so that each is posted exactly once, even
// when the program is killed in the middle: the batch is first written to
// "/PaymentBatch.pending" with, for the payment in hand, the record counts
// of its ledger and of the journal before it. A crash leaves the file, and
// the next start finishes the batch, telling by those counts what was
// already written. Each payment goes to its ledger, the ledger's backup
// copy and the journal, in that order.
#include "ledger/Ledger.h"

namespace ledger {

inline const QString kPendingPayments = QStringLiteral("/PaymentBatch.pending");

struct Payment {
    QString ledgerFile;
    LedgerEntry entry;
    bool operator==(const Payment &) const = default;
};

store::FileResult writePayments(const store::FileStore &store, const std::vector<Payment> &payments, const QDate &today,
                         const QLocale &locale);
// Finishes a batch a crash interrupted; nothing to do without one.
store::FileResult recoverPayments(const store::FileStore &store, const QDate &today, const QLocale &locale);

// Deletes the ledgers and their backup copies, each ledger's entries first
// appended to the financial history "/CAHistory.txt" in order, so purging
// a paid-up account never loses its money history. Each ledger goes under
// "/PurgeLedgers.pending" with the history's record count before it: a
// kill is finished at the next start, the entries written once.
store::FileResult purgeLedgers(const store::FileStore &store, const QStringList &ledgerFiles);
store::FileResult recoverLedgerPurge(const store::FileStore &store);

} // namespace ledger
