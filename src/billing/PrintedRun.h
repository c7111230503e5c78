#pragma once
// The printed billing run: each account gets an invoice number, reserved
// in the counter before anything else is written, then its tax records and
// ledger entry (as the records-only run writes them), its printed invoice,
// its completed-invoice file, its sold items, its sales-journal record and
// the stock of its items. Each account is one transaction, prepared before
// the invoice is printed, so a kill is finished at the next start without
// printing again and without a second entry.
#include "billing/BillingRun.h"
#include "printing/InvoiceSink.h"

#include <QDate>
#include <functional>

namespace billing {

inline const QString kInvoiceCounterFile = QStringLiteral("/InvoiceCounter.txt");
inline const QString kManualInvoiceNoFile = QStringLiteral("/ManualInvoiceNo.txt");
inline const QString kSoldItemsFile = QStringLiteral("/SoldItems.txt");
inline const QString kSalesJournalFile = QStringLiteral("/InvoiceSalesJournal.txt");
QString completedInvoiceFile(const QString &invoiceNo);

// Draws the next invoice number of the scheme and stores the counter past
// it at once (an atomic replace), so a number is never drawn twice; a
// number whose completed invoice already exists is passed over. A counter
// file that exists but cannot be read is an error naming it.
struct DrawnNumber {
    QString invoiceNo;
    store::FileResult result = store::FileResult::success();
};
DrawnNumber reserveInvoiceNo(const store::FileStore &store, bool sequential, const QDate &today);
// The next `count` numbers the scheme would give, nothing written (the
// preview of a run).
QStringList peekInvoiceNos(const store::FileStore &store, bool sequential, const QDate &today, int count);

// "/SoldItems.txt", 90 bytes: one item of one invoice.
struct SoldItemRecord {
    static constexpr int kLength = 90;
    QString description;    //  0, 60
    QDate date;             // 60: day count
    QString invoiceNo;      // 68, 20
    std::int16_t units = 0; // 88
    QByteArray encode() const;
    static SoldItemRecord decode(const QByteArray &bytes);
    bool operator==(const SoldItemRecord &) const = default;
};

// "/InvoiceSalesJournal.txt", 125 bytes: one printed invoice.
struct SalesJournalRecord {
    static constexpr int kLength = 125;
    QString name;         //   0, 45
    QString acctNo;       //  45, 20
    QString invoiceNo;    //  65, 20
    QDate date;           //  85: day count
    base::Money subtotal; //  93
    base::Money taxes;    // 101
    base::Money unused;   // 109: always zero
    base::Money total;    // 117
    QByteArray encode() const;
    static SalesJournalRecord decode(const QByteArray &bytes);
    bool operator==(const SalesJournalRecord &) const = default;
};

// The completed-invoice file, line for line.
QByteArray completedInvoice(const QString &invoiceNo, const BillingAccount &account, const QString &service,
                            const QDate &date, base::Money charge, const std::vector<SoldLine> &items, base::Money subtotal,
                            const Taxes &taxes, base::Money total, const QLocale &locale);

// One invoice as it prints.
struct InvoiceToPrint {
    printing::InvoiceValues values;
    QList<printing::ItemLine> lines;
};
// The invoice of a grid row with a number (for printing and the preview).
// `store`: the ledger the previous balance is read from, when the
// settings show it (before the invoice is posted).
InvoiceToPrint invoiceFor(const store::FileStore &store, const Posting &posting, const QString &invoiceNo,
                          const RunSettings &settings, const QLocale &locale);
// An invoice as the register recorded it (printed again), or its credit
// note: the invoice's number, date, lines and amounts, under the title.
InvoiceToPrint registeredInvoice(const RunRecord &run, const RunAccountRecord &account,
                                 const std::vector<RunItemRecord> &items, const QLocale &locale);

struct PrintedRunInput {
    const std::vector<Posting> &postings; // from planRecordsRun
    RunSettings settings;
    bool sequential = false;
};
// Each invoice goes to `sink` once its account's change is prepared; a
// refusal stops the run there with the sink's reason. `progress` as for
// postRun. The run stops at the first failure.
struct PrintedOutcome : RunOutcome {
    bool printFailed = false;
    QString printReason;
    QStringList invoices;  // the invoice numbers posted, in order
    QString failedInvoice; // the number drawn for the account that failed (a gap now)
};
PrintedOutcome postPrintedRun(const store::FileStore &store, const PrintedRunInput &input, const QLocale &locale,
                              printing::InvoiceSink &sink,
                              const std::function<bool(int index, const Posting &)> &progress = {});

} // namespace billing
