#pragma once
// The accounts-receivable grid (fgReceivables): every account that owes or
// is in credit with its aging, sortable by any column (amounts as numbers),
// and filtered to those owing for longer than 30, 60 or 90 days.
#include "receivables/Receivables.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QSortFilterProxyModel>

namespace ui {

class ReceivablesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { AcctNo = 0, Name, Phone, Balance, Current, Days31, Days61, Over90, Note, kColumns };
    // The value a column sorts by: the amount in ten-thousandths for money.
    static constexpr int kSortRole = Qt::UserRole + 1;

    ReceivablesModel(const QLocale &locale, QObject *parent = nullptr) : QAbstractTableModel(parent), m_locale(locale) {}
    void setRows(std::vector<receivables::Receivable> rows);
    const receivables::Receivable &row(int r) const { return m_rows[size_t(r)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static base::Money amountOf(const receivables::Receivable &r, int column);

private:
    QLocale m_locale;
    std::vector<receivables::Receivable> m_rows;
};

// The rows shown: all, or those owing for longer than `days`.
class OverdueFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setOverdueDays(int days);
    int overdueDays() const { return m_days; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    int m_days = 0;
};

} // namespace ui
