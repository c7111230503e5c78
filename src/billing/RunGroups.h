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
std::optional<PendingGroup> decodeGroup(const QByteArray &bytes);
PendingGroup groupOf(const store::FileStore &store, const std::vector<Posting> &postings, size_t from, size_t to);
// Writes what of postings [first, last) is not yet written, by the counts.
store::FileResult completeGroup(const store::FileStore &store, const PendingGroup &g, size_t first, size_t last,
                                const QDate &today, const QLocale &locale);

} // namespace billing::detail
