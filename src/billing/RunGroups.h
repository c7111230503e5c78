#pragma once
// What the records-only run and the printed run share: one account's
// writes staged in a transaction, and the run's note in its marker (the
// accounts it posts, a printed account's invoice and whether the printer
// took it), from which the start tells the user what it finished.
#include "billing/BillingRun.h"
#include "store/Transaction.h"

namespace billing::detail {

// The account's tax records, its ledger entry and the ledger's backup (the
// tax file restored from its backup by the run, once, before).
void stagePosting(store::Transaction &tx, const Posting &p, const QDate &today, const QLocale &locale);

// The ledger record (from 1) of the entry just staged.
int ledgerRecordOf(const store::Transaction &tx, const QString &ledgerFile);
// The run's items as the register keeps them, with the units each took
// from the stock (none: records only).
std::vector<RunItemRecord> itemRecords(const std::vector<SoldLine> &items, const std::vector<int> &taken);
RunRecord runHeader(const RunSettings &settings, RunMode mode);

struct RunNote {
    QStringList accounts;
    QString invoiceNo; // a printed account's
    bool printed = false;
};
QByteArray encodeRunNote(const RunNote &note);
std::optional<RunNote> decodeRunNote(const QByteArray &bytes);

} // namespace billing::detail
