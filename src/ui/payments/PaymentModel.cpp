#include "ui/payments/PaymentModel.h"

#include "base/Dates.h"

#include <QApplication>
#include <QBrush>
#include <QStyle>

using namespace base;

namespace ui {

PaymentModel::PaymentModel(const QLocale &locale, QObject *parent) : QAbstractTableModel(parent), m_locale(locale)
{
}

void PaymentModel::setAccounts(std::vector<ledger::OpenAccount> accounts)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(accounts.size());
    for (ledger::OpenAccount &a : accounts)
        m_rows.push_back(PaymentRow{std::move(a), false, std::nullopt, QString(), QDate()});
    endResetModel();
}

Money PaymentModel::shownAmount(int r) const
{
    const PaymentRow &row = m_rows[size_t(r)];
    return row.entered.value_or(row.account.balance.total);
}

void PaymentModel::rowChanged(int r)
{
    Q_EMIT dataChanged(index(r, 0), index(r, 5));
}

int PaymentModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PaymentModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 6;
}

QVariant PaymentModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const PaymentRow &r = m_rows[size_t(index.row())];
    const bool unreadable = r.account.balance.unreadable > 0 && !r.entered;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case 0: return r.selected ? QStringLiteral("+") : QString();
        case 1: return r.account.acctNo;
        case 2: return r.account.acctName;
        case 3: return shownAmount(index.row()).toCurrencyText(m_locale);
        case 4: return r.method;
        case 5: return r.date.isValid() ? dates::toShortDateText(r.date, m_locale) : QString();
        default: return {};
        }
    case Qt::TextAlignmentRole:
        return index.column() == 2 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
    case Qt::ForegroundRole:
        if ((index.column() == 3 && unreadable) || (index.column() == 2 && r.account.damaged))
            return QBrush(Qt::red);
        return {};
    case Qt::DecorationRole:
        if (index.column() == 3 && unreadable)
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        return {};
    case Qt::ToolTipRole:
        if (index.column() == 3 && unreadable)
            return QStringLiteral("%1 entries of this ledger have an amount that cannot be read; the balance leaves "
                                  "them out.")
                .arg(r.account.balance.unreadable);
        if (index.column() == 2 && r.account.damaged)
            return QStringLiteral("The first record of %1 is short or holds no account number; the account is listed "
                                  "by its file name.")
                .arg(r.account.ledgerFile.mid(1));
        return {};
    default:
        return {};
    }
}

QVariant PaymentModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const headings[] = {"Select", "Account No.", "Account Name", "Amount", "Check Number", "Payment Date"};
    return section >= 0 && section < 6 ? QVariant(QString::fromLatin1(headings[section])) : QVariant();
}

} // namespace ui
