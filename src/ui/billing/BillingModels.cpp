#include "ui/billing/BillingModels.h"

namespace ui {

void CycleGridModel::setGrid(billing::CycleGrid grid)
{
    beginResetModel();
    m_grid = std::move(grid);
    endResetModel();
}

void CycleGridModel::rowChanged(int r)
{
    Q_EMIT dataChanged(index(r, 0), index(r, kColumns - 1));
}

void CycleGridModel::allChanged()
{
    if (!m_grid.rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

int CycleGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_grid.rows.size());
}

int CycleGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant CycleGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_grid.rows.size())
        return {};
    const billing::CycleRow &r = m_grid.rows[size_t(index.row())];
    if (role == Qt::TextAlignmentRole)
        return index.column() == Charge ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                        : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    // The record number sorts as a number.
    if (role == Qt::UserRole && index.column() == Rec)
        return r.rec;
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case Selected: return r.selected;
    case AcctNo: return m_grid.acctNo(r.rec);
    case Name: return m_grid.name(r.rec);
    case Charge: return m_grid.charge(r);
    case Service: return m_grid.service(r);
    case Reference: return m_grid.reference(r.rec);
    case Rec: return QString::number(r.rec);
    default: return {};
    }
}

QVariant CycleGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const heads[] = {"Selected", "Account No", "Account Name", "Charge", "Service", "Reference", "Rec"};
    return section >= 0 && section < kColumns ? QString::fromLatin1(heads[section]) : QVariant();
}

void ItemsModel::setItems(const std::vector<catalog::InventoriedItemRecord> &items)
{
    // Marks stay with their items while the catalogue is unchanged.
    std::vector<ItemRow> rows;
    rows.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        ItemRow r{items[i], false, 0, {}};
        if (i < m_rows.size() && m_rows[i].item == items[i])
            r = m_rows[i];
        rows.push_back(r);
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ItemsModel::rowChanged(int r)
{
    Q_EMIT dataChanged(index(r, 0), index(r, kColumns - 1));
}

void ItemsModel::clearMarks()
{
    for (ItemRow &r : m_rows) {
        r.selected = false;
        r.units = 0;
        r.total = {};
    }
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

int ItemsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ItemsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant ItemsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const ItemRow &r = m_rows[size_t(index.row())];
    if (role == Qt::TextAlignmentRole)
        return index.column() >= UnitPrice ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                           : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case Sel: return r.selected ? QStringLiteral("+") : QString();
    case Description: return r.item.description;
    case UnitPrice: return r.item.price.toCurrencyText(m_locale);
    case DiscAt: return QString::number(r.item.discountQty);
    case DiscountPrice: return r.item.discountPrice.toCurrencyText(m_locale);
    case UnitsSold: return r.selected ? QString::number(r.units) : QString();
    case TotalSale: return r.selected ? r.total.toCurrencyText(m_locale) : QString();
    default: return {};
    }
}

QVariant ItemsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const heads[] = {"Sel",        "Description", "Unit Price", "Disc  at Units",
                                        "Discount Price", "Units Sold", "Total Sale"};
    return section >= 0 && section < kColumns ? QString::fromLatin1(heads[section]) : QVariant();
}

} // namespace ui
