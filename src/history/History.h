#pragma once
// The two history files and what the history screen makes of them: the
// service history (145-byte records) and the financial history (ledger
// entries), filtered by a date range and an account, with the period's net
// total by the ledger's sign rule; the report periods; and the purges,
// each one transaction, so a failure or a kill leaves the files as they
// were or (finished at the next start) purged.
#include "base/Money.h"
#include "ledger/LedgerEntry.h"
#include "store/FileStore.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace history {

inline const QString kServiceHistoryFile = QStringLiteral("/ServiceHistory.txt");
using ledger::kFinancialHistoryFile;

// "/ServiceHistory.txt", 145 bytes.
struct ServiceHistoryRecord {
    static constexpr int kLength = 145;
    QString acctName;    //   0, 30
    QString acctNo;      //  30, 25
    QString serviceDate; //  55, 15: short date text
    QString service;     //  70, 35
    QString servicedBy;  // 105, 40
    QByteArray encode() const;
    static ServiceHistoryRecord decode(const QByteArray &bytes);
};

// One row of either grid.
struct HistoryRow {
    QString acctNo, name, dateText, text, extra; // extra: serviced by, or the amount text
    QDate date;                                  // invalid: the date text cannot be read
    std::optional<base::Money> amount;           // financial rows; nothing when unreadable
};

struct HistoryFilter {
    QDate start, end;
    std::optional<QString> account; // one account, trimmed
};

struct HistoryTotals {
    base::Money net;      // by the ledger's sign rule
    base::Money billed;   // what adds
    base::Money received; // payments, credits and discounts
    int unreadable = 0;   // amounts left out
};

struct History {
    std::vector<HistoryRow> service, financial;
    HistoryTotals totals;
};


// The four report periods: 0 last month, 1 month to date, 2 year to date,
// 3 since 1 January 1990.
std::pair<QDate, QDate> reportPeriod(int index, const QDate &today);

// Removes one account's records from both files, the others kept in order.
store::FileResult purgeAccountHistory(const store::FileStore &store, const QString &acctNo);
store::FileResult purgeAllHistory(const store::FileStore &store);

// The grid as CSV (RFC 4180): a header row, dates in ISO form, amounts as
// plain decimals.
QByteArray toCsv(const std::vector<HistoryRow> &rows, bool financial);

} // namespace history
