#pragma once
// The rows of the customer search and of the customer list: name, telephone
// and record number, as a model so that all 32,767 customers can be shown.
#include "customers/CustomerFinder.h"

#include <QAbstractTableModel>
#include <vector>

namespace ui {

class FoundCustomersModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<customers::finder::Found> rows);
    const customers::finder::Found &row(int r) const { return m_rows[size_t(r)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<customers::finder::Found> m_rows;
};

} // namespace ui
