#pragma once
// The history files as the history screen shows them: each file's bytes,
// read once while the file is unchanged, and the numbers of the records a
// filter keeps. A record is decoded only when its row is shown, so the
// grid of 200,000 records since 1990 holds four bytes a record beside the
// file, and nothing is freed record by record when the next range comes.
#include "history/History.h"

#include <QByteArray>
#include <QLocale>
#include <vector>

namespace history {

// Where a history file's records keep their account, date and text.
struct RecordShape {
    int length, acctAt, acctWidth, dateAt, dateWidth, textAt, textWidth;
    bool financial;
};
inline constexpr RecordShape kServiceShape{ServiceHistoryRecord::kLength, 30, 25, 55, 15, 70, 35, false};
inline constexpr RecordShape kFinancialShape{ledger::LedgerEntry::kLength, 45, 25, 70, 15, 85, 60, true};

// One file's records that a filter keeps, in file order.
class HistoryView {
public:
    HistoryView() = default;
    HistoryView(QByteArray bytes, RecordShape shape, std::vector<qint32> kept, std::vector<qint32> multiLine)
        : m_bytes(std::move(bytes)), m_shape(shape), m_kept(std::move(kept)), m_multiLine(std::move(multiLine))
    {
    }
    qsizetype size() const { return qsizetype(m_kept.size()); }
    bool financial() const { return m_shape.financial; }
    // Row i decoded from the file's bytes.
    HistoryRow row(qsizetype i, const QLocale &locale) const;
    std::vector<HistoryRow> rows(const QLocale &locale) const;
    // The rows whose text holds a line break (they need a taller row).
    const std::vector<qint32> &multiLine() const { return m_multiLine; }

private:
    QByteArray m_bytes;
    RecordShape m_shape{kServiceShape};
    std::vector<qint32> m_kept;
    std::vector<qint32> m_multiLine;
};

struct Selection {
    HistoryView service, financial;
    HistoryTotals totals;
};

// Both histories as the filter keeps them, from the files' bytes. A record
// whose date cannot be read is kept whatever the range.
Selection selectHistory(const QByteArray &service, const QByteArray &financial, const HistoryFilter &filter,
                        const QLocale &locale);

} // namespace history
