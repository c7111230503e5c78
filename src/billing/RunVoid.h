#pragma once
// Taking back a billing run, or one invoice of it, without deleting
// anything: each account's ledger gets a credit for the invoice's total,
// the tax records and (printed runs) the sales journal and sold items get
// the same figures negative, the stock gets back what the invoice took, a
// credit note is filed beside the completed invoice, and the register
// enters the void as a run of its own that names each account it reverses.
// The whole void is one transaction.
#include "billing/PrintedRun.h"
#include "billing/RunRegister.h"
#include "catalog/CatalogRecords.h"
#include "ledger/Ledger.h"

#include <QDateTime>
#include <functional>
#include <variant>

namespace billing {

// "/CompletedInvoices/<invoice number>-CN.txt", in the completed-invoice
// layout; an invoice number is never followed by letters, so it cannot be
// taken for one.
QString creditNoteFile(const QString &invoiceNo);

// The ledger text of a void: "Credit - Void of invoice 341-2", or for a run
// that printed nothing "Credit - Void of run 12". It holds "Credit", so the
// balance subtracts it.
QString voidEntryText(const RunRecord &run, const RunAccountRecord &account);

struct VoidLine {
    RegisteredAccount account;
    QString ledgerFile;
    ledger::Balance before; // the ledger's balance now
    base::Money after() const { return before.total - account.record.total; }
};

struct VoidPlan {
    RunRecord run;
    std::vector<VoidLine> lines;
    std::vector<catalog::UnitsSold> stockReturned; // by description, summed
    base::Money total;
};

// What voiding the run (accountNumber 0) or one of its accounts (its record
// number in the register) would post, or why it cannot be voided: the run
// is not there or is itself a void, the invoice is voided already, an
// account has been removed or its ledger is gone, or a negative tax would
// not fit the tax records.
std::variant<VoidPlan, QString> planVoid(const store::FileStore &store, const RunRegister &reg, int runNo,
                                         int accountNumber, const QLocale &locale);

struct VoidOutcome {
    store::FileResult result = store::FileResult::success();
    int voidRunNo = 0;
    int accounts = 0;
    base::Money total;
    QStringList creditNotes; // the invoice numbers credited (printed runs)
};
// `progress` hears (index, line) as each account is staged; false stops
// before anything is written.
VoidOutcome postVoid(const store::FileStore &store, const VoidPlan &plan, const QDateTime &now, const QLocale &locale,
                     const std::function<bool(int, const VoidLine &)> &progress = {});

// What the user is told a void posted.
QString voidOutcomeText(const VoidPlan &plan, const VoidOutcome &out, const QLocale &locale);

// A credit note as it prints: the invoice it reverses, under its own title.
InvoiceToPrint creditNote(const RunRecord &run, const RegisteredAccount &account, const QDate &voidedOn,
                          const QLocale &locale);

} // namespace billing
