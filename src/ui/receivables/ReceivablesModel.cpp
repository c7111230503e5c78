#include "ui/receivables/ReceivablesModel.h"

using namespace receivables;
using base::Money;

namespace ui {

void ReceivablesModel::setRows(std::vector<Receivable> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ReceivablesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ReceivablesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

Money ReceivablesModel::amountOf(const Receivable &r, int column)
{
    switch (column) {
    case Balance:
        return r.aging.balance();
    case Current:
        return r.aging.current;
    case Days31:
        return r.aging.days31to60;
    case Days61:
        return r.aging.days61to90;
    case Over90:
        return r.aging.over90;
    default:
        return Money();
    }
}

QVariant ReceivablesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Receivable &r = row(index.row());
    const int c = index.column();
    const bool money = c >= Balance && c <= Over90;
    if (role == Qt::TextAlignmentRole)
        return money ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role == kSortRole && money)
        return qlonglong(amountOf(r, c).raw());
    if (role != Qt::DisplayRole && role != kSortRole)
        return {};
    switch (c) {
    case AcctNo:
        return r.acctNo;
    case Name:
        return r.name;
    case Phone:
        return r.phone;
    case Balance:
        // An account in credit shows the credit as such.
        return r.aging.balance().raw() < 0 ? r.aging.credit.toCurrencyText(m_locale) + QStringLiteral(" credit")
                                           : r.aging.balance().toCurrencyText(m_locale);
    case Note:
        return unreadableText(r.unreadable);
    default:
        return amountOf(r, c).isZero() ? QString() : amountOf(r, c).toCurrencyText(m_locale);
    }
}

QVariant ReceivablesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const heads[] = {"Account", "Name", "Telephone", "Balance", "Current", "31-60 Days",
                                        "61-90 Days", "Over 90 Days", "Note"};
    return QString::fromLatin1(heads[section]);
}

void OverdueFilter::setOverdueDays(int days)
{
    m_days = days;
    invalidateFilter();
}

bool OverdueFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_days <= 0)
        return true;
    const auto *model = static_cast<const ReceivablesModel *>(sourceModel());
    return model->row(sourceRow).aging.overdue(m_days).raw() > 0;
}

} // namespace ui
