#pragma once
// One of the history screen's grids: the financial history (account, name,
// date, reference, amount) or the service history (account, name, date,
// service, serviced by), over the records a filter keeps of the file's
// bytes: a row is read from the file when the grid draws it. A date or an
// amount that cannot be read is shown as stored, marked, with a tooltip
// saying so.
#include "history/HistoryView.h"

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
    void setView(history::HistoryView view);
    const history::HistoryView &view() const { return m_view; }
    // The five texts row r shows, read once.
    QStringList rowTexts(int r) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // The row last read: a grid asks for each of a row's cells and roles in
    // turn.
    const history::HistoryRow &rowAt(int r) const;
    QString cellText(const history::HistoryRow &row, int column) const;

    bool m_financial;
    QLocale m_locale;
    history::HistoryView m_view;
    mutable int m_readRow = -1;
    mutable history::HistoryRow m_read;
};

} // namespace ui
