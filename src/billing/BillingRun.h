#pragma once
// Posting a billing run: each selected account gets its tax records and
// its ledger entry (with the ledger's backup copy), in that order. The run
// is checked whole before anything is written, and written in groups under
// "/BillingRun.pending": the group with, for each account, the count of
// its ledger's records before it, and the tax file's count before the
// group. A kill leaves the file and the next start finishes the group,
// telling by those counts what was already written; the files of a group
// are synced together once, not one sync after another.
#include "billing/BillingRules.h"
#include "billing/CycleGrid.h"
#include "ledger/LedgerEntry.h"
#include "store/FileStore.h"

#include <QDate>
#include <QStringList>
#include <functional>
#include <variant>

namespace billing {

inline const QString kTaxRecordsFile = QStringLiteral("/TaxRecords.txt");
inline const QString kPendingRun = QStringLiteral("/BillingRun.pending");

// "/TaxRecords.txt", 75 bytes.
struct TaxRecord {
    static constexpr int kLength = 75;
    QString name;      //  0, 20
    QString date;      // 20, 15: short date text
    QString reference; // 35, 30
    QString amount;    // 65, 10: plain decimal text
    QByteArray encode() const;
    static TaxRecord decode(const QByteArray &bytes);
    bool operator==(const TaxRecord &) const = default;
};

// What the run needs besides the rows: the run date, the items added to
// every invoice, the tax settings and names.
struct RunSettings {
    QDate date;
    bool itemsAdded = false;
    base::Money itemsTotal;
    TaxRates rates;
    QString tax1Name, tax2Name;
    // The printed invoice's customer block follows the business's address
    // style: city, state and code on one line, or the third and fourth
    // address lines on two.
    bool usaAddresses = true;
};

// One account of the run, worked out before anything is written.
struct Posting {
    int row = -1; // index of the grid row
    QString ledgerFile;
    ledger::LedgerEntry entry;
    std::vector<TaxRecord> taxes;
    base::Money subtotal, total;
    Taxes amounts;
};

struct RunProblem {
    int row = -1; // the grid row at fault
    QString reason;
};

// Records-only: the reference is the row's service. Every row whose
// Selected cell is "+" is billed; "P" rows never again. The first row that
// cannot be billed (its charge, its account number, an amount too long for
// its field) stops the whole run before anything is written.
std::variant<std::vector<Posting>, RunProblem> planRecordsRun(const CycleGrid &grid, const RunSettings &settings,
                                                             const QLocale &locale);

// What finishing an interrupted run came to: the accounts it leaves
// posted (every account its marker lists), for a printed account its
// invoice, and whether that invoice is known to have been printed. A marker
// that does not hold together is set aside under a new name for a person
// to look at, and nothing is written from it.
struct RecoveredRun {
    store::FileResult result = store::FileResult::success();
    QStringList accounts;  // account numbers, in the order billed
    QStringList invoices;  // invoice numbers posted
    QStringList unprinted; // of those, the ones not known to have been printed
    QString setAside;      // the new name of a damaged marker
    bool any() const { return !accounts.isEmpty() || !setAside.isEmpty(); }
};
// Finishes a group (or a printed account) a kill or a failed write left;
// nothing to do without one.
RecoveredRun recoverBillingRun(const store::FileStore &store, const QDate &today, const QLocale &locale);
// What the user is told about it; empty when there was nothing to finish.
QString recoveredRunText(const RecoveredRun &recovered);

// Writes the postings in order. `progress` hears (index, posting) before
// each account and returns false to stop after the account in progress.
// What the outcome says is what the files hold:
// - `posted`: the grid rows whose every write the disk confirmed;
// - `failedAt`: the posting a write failed on (-1: none). Its writes are
//   taken back at once (`failedTakenBack`); when even that fails it is
//   left, with the accounts in `unconfirmed`, to be finished from the
//   marker before anything else is billed;
// - `unconfirmed`: grid rows written but not confirmed by the disk, which
//   the marker finishes at the next start or before the next run;
// - `recovered`: a marker left by an earlier run was finished first; the
//   run then bills nothing, since the rows the user chose from may include
//   those accounts.
struct RunOutcome {
    store::FileResult result = store::FileResult::success();
    std::vector<int> posted; // grid rows
    bool cancelled = false;
    int failedAt = -1; // index into the postings
    bool failedTakenBack = true;
    std::vector<int> unconfirmed; // grid rows
    RecoveredRun recovered;
};
RunOutcome postRun(const store::FileStore &store, const std::vector<Posting> &postings, const QDate &today,
                   const QLocale &locale, const std::function<bool(int index, const Posting &)> &progress = {});

} // namespace billing
