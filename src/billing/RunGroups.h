#pragma once
// The pending marker of a billing run's tax and ledger writes, shared by
// the records-only run and the printed run: the accounts of a group with
// the record counts their files had before, and how to finish them.
#include "billing/BillingRun.h"

#include <optional>

namespace billing::detail {

struct PendingPosting {
    QString ledgerFile;
    ledger::LedgerEntry entry;
    qint64 ledgerBefore = 0;
    std::vector<TaxRecord> taxes;
};

struct PendingGroup {
    qint64 taxBefore = 0;
    std::vector<PendingPosting> postings;
};

QByteArray encodeGroup(const PendingGroup &g);
// Nothing unless the bytes hold together: every count matched by the
// values that follow it, nothing left over, each ledger the one its
// account number names, no count read beyond the bytes that are there.
std::optional<PendingGroup> decodeGroup(const QByteArray &bytes);
// A marker that cannot be read is renamed "<name>.damaged" (or with a
// number after it) and left for a person; the new name comes back.
QString setAside(const store::FileStore &store, const QString &marker);
PendingGroup groupOf(const store::FileStore &store, const std::vector<Posting> &postings, size_t from, size_t to);
// Writes what of postings [first, last) is not yet written, by the counts.
store::FileResult completeGroup(const store::FileStore &store, const PendingGroup &g, size_t first, size_t last,
                                const QDate &today, const QLocale &locale);
// Takes back what was written of posting k after the postings before it:
// the tax file cut to their records, the ledger to its count before (a
// ledger the posting began is removed with its copy), the copy brought
// back in line. True when the files hold exactly postings [0, k).
bool undoPosting(const store::FileStore &store, const PendingGroup &g, size_t k);

} // namespace billing::detail
