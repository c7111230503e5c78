#pragma once
// Posting a billing run: each selected account gets its tax records and
// its ledger entry (with the ledger's backup copy), in that order. The run
// is checked whole before anything is written, and written in groups of
// accounts, each group one transaction: synced together once, taken back
// whole on a failure, finished at the next start after a kill.
#include "billing/BillingRules.h"
#include "billing/CycleGrid.h"
#include "billing/RunRegister.h"
#include "ledger/LedgerEntry.h"
#include "store/FileStore.h"
#include "store/Transaction.h"

#include <QDate>
#include <QTime>
#include <QStringList>
#include <functional>
#include <variant>

namespace billing {

inline const QString kTaxRecordsFile = QStringLiteral("/TaxRecords.txt");
// The kind of a billing run's transactions.
inline const QString kRunKind = QStringLiteral("a billing run");

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

// A sales item on every invoice of the run.
struct SoldLine {
    QString description;
    int units = 0;
    base::Money unitPrice; // the list price
    base::Money total;
};

// What the run needs besides the rows: the run date, the items added to
// every invoice, the tax settings and names, and the frequency and month
// the grid was loaded for (the register keeps them; the month names the
// printed invoice's reference).
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
    int frequency = 0;
    int month = 0; // 0 = January
    QTime time;    // of the run, for the register
    std::vector<SoldLine> items; // empty unless items were added
    // Printed invoices show the account's balance before them.
    bool showPreviousBalance = false;
};

// One account of the run, worked out before anything is written.
struct Posting {
    int row = -1; // index of the grid row
    QString ledgerFile;
    ledger::LedgerEntry entry;
    std::vector<TaxRecord> taxes;
    base::Money subtotal, total;
    Taxes amounts;
    // What the register keeps of the account: its invoice as billed.
    RunAccountRecord registered;
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

// What the start's finishing of an interrupted run came to: the accounts
// it left posted, for a printed account its invoice, and whether that
// invoice is known to have been printed.
struct RecoveredRun {
    store::FileResult result = store::FileResult::success();
    QStringList accounts;  // account numbers, in the order billed
    QStringList invoices;  // invoice numbers posted
    QStringList unprinted; // of those, the ones not known to have been printed
    bool any() const { return !accounts.isEmpty() || !result; }
};
RecoveredRun recoveredRun(const store::FinishedWork &work);
// What the user is told about it; empty when there was nothing to finish.
QString recoveredRunText(const RecoveredRun &recovered);

// Writes the postings in order. `progress` hears (index, posting) before
// each account and returns false to stop after the account in progress.
// What the outcome says is what the files hold:
// - `posted`: the grid rows whose every write the disk confirmed;
// - `failedAt`: the posting a write failed on (-1: none). Its group is
//   taken back at once (`failedTakenBack`); when even that fails the group
//   is left, with its accounts in `unconfirmed`, to be finished at the
//   next start;
// - `unconfirmed`: grid rows written but not confirmed by the disk, which
//   the next start finishes.
struct RunOutcome {
    store::FileResult result = store::FileResult::success();
    std::vector<int> posted; // grid rows
    bool cancelled = false;
    int failedAt = -1; // index into the postings
    bool failedTakenBack = true;
    std::vector<int> unconfirmed; // grid rows
};
// The run is entered in the register, its accounts with each group.
RunOutcome postRun(const store::FileStore &store, const std::vector<Posting> &postings, const RunSettings &settings,
                   const QLocale &locale, const std::function<bool(int index, const Posting &)> &progress = {});

} // namespace billing
