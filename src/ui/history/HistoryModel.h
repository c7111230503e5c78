#pragma once
// One of the history screen's grids: the financial history (account, name,
// date, reference, amount) or the service history (account, name, date,
// service, serviced by). A date or an amount that cannot be read is shown
// as stored, marked, with a tooltip saying so.
#include "history/History.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace ui {

class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    HistoryModel(bool financial, const QLocale &locale, QObject *parent = nullptr)
        : QAbstractTableModel(parent), m_financial(financial), m_locale(locale)
    {
    }
    void setRows(std::vector<history::HistoryRow> rows);
    const std::vector<history::HistoryRow> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool m_financial;
    QLocale m_locale;
    std::vector<history::HistoryRow> m_rows;
};

} // namespace ui
