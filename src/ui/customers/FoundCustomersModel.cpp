#include "ui/customers/FoundCustomersModel.h"

namespace ui {

void FoundCustomersModel::setRows(std::vector<customers::finder::Found> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int FoundCustomersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FoundCustomersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant FoundCustomersModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const customers::finder::Found &f = m_rows[size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case 0: return f.name;
        case 1: return f.phone;
        case 2: return QString::number(f.recordNumber);
        default: return {};
        }
    }
    if (role == Qt::TextAlignmentRole)
        return index.column() == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
    return {};
}

QVariant FoundCustomersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // The grid's format string: "Customer" left, "Phone" and "Record" centred.
    static const char *const headings[] = {"Customer", "Phone", "Record"};
    return section >= 0 && section < 3 ? QVariant(QString::fromLatin1(headings[section])) : QVariant();
}

} // namespace ui
