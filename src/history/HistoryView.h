#pragma once
// The history files as the history screen shows them: each file read once
// through a small buffer for the numbers of the records a filter keeps and
// the period's totals, then a record read from the file only when its row
// is shown. The grid of 200,000 records since 1990 holds four bytes a
// record, the files are never held in memory, and nothing is freed record
// by record when the next range comes.
#include "history/History.h"
#include "store/FileStore.h"

#include <QFile>
#include <QLocale>
#include <memory>
#include <vector>

namespace history {

// Where a history file's records keep their account, date and text.
struct RecordShape {
    int length, acctAt, acctWidth, dateAt, dateWidth, textAt, textWidth;
    bool financial;
};
inline constexpr RecordShape kServiceShape{ServiceHistoryRecord::kLength, 30, 25, 55, 15, 70, 35, false};
inline constexpr RecordShape kFinancialShape{ledger::LedgerEntry::kLength, 45, 25, 70, 15, 85, 60, true};

// One file's records that a filter keeps, in file order. The file stays
// open with the view: a file the program replaces meanwhile (a purge) is
// still read as it was when the view was made.
class HistoryView {
public:
    HistoryView() = default;
    HistoryView(std::shared_ptr<QFile> file, RecordShape shape, std::vector<qint32> kept, std::vector<qint32> multiLine)
        : m_file(std::move(file)), m_shape(shape), m_kept(std::move(kept)), m_multiLine(std::move(multiLine))
    {
    }
    qsizetype size() const { return qsizetype(m_kept.size()); }
    bool financial() const { return m_shape.financial; }
    // Row i read from the file; a record the file no longer holds (cut
    // short by another program) reads blank.
    HistoryRow row(qsizetype i, const QLocale &locale) const;
    // Every row, read in one pass over the file.
    std::vector<HistoryRow> rows(const QLocale &locale) const;
    // The rows whose text holds a line break (they need a taller row).
    const std::vector<qint32> &multiLine() const { return m_multiLine; }

private:
    std::shared_ptr<QFile> m_file;
    RecordShape m_shape{kServiceShape};
    std::vector<qint32> m_kept;
    std::vector<qint32> m_multiLine;
};

struct Selection {
    HistoryView service, financial;
    HistoryTotals totals;
};

// Both history files as the filter keeps them (reading never writes: a
// missing file is an empty history). A record whose date cannot be read is
// kept whatever the range.
Selection selectHistory(const store::FileStore &store, const HistoryFilter &filter, const QLocale &locale);

} // namespace history
