#pragma once
// The program's files as CSV for a spreadsheet or an accountant: a header
// row, ISO dates, plain decimal amounts (a ledger's signed by the balance
// rule, with its running balance), RFC 4180 quoting; UTF-8, or
// Windows-1252 for older spreadsheets. Files with dates can be cut to a
// date range. Nothing is written to the program folder.
#include "store/FileStore.h"

#include <QDate>
#include <QLocale>
#include <QStringList>

namespace exchange {

enum class ExportKind {
    Customers,
    Ledgers,
    PaymentJournal,
    SalesJournal,
    TaxRecords,
    SoldItems,
    Services,
    Items,
    LaborRates,
};
// The names the export screen lists, in the order of the kinds.
const QStringList &exportKindNames();
// Whether the kind's rows have dates a range can cut.
bool hasDates(ExportKind kind);

struct ExportOptions {
    ExportKind kind = ExportKind::Customers;
    QDate from, to; // both set: only rows dated from..to
    bool windows1252 = false;
};

struct Exported {
    QByteArray bytes;
    int rows = 0;       // not counting the header
    int unreadable = 0; // ledger entries whose amount or date could not be read (exported with the amount empty)
};
Exported exportCsv(const store::FileStore &store, const ExportOptions &options, const QLocale &locale);

} // namespace exchange
