#include "ui/runs/RunModels.h"

#include "base/Dates.h"
#include "billing/BillingRules.h"

using namespace billing;
using base::Money;

namespace ui {

void RunsModel::setRegister(RunRegister reg)
{
    beginResetModel();
    m_register = std::move(reg);
    endResetModel();
}

const RunRecord &RunsModel::run(int r) const
{
    const std::vector<RunRecord> &runs = m_register.runs();
    return runs[runs.size() - 1 - size_t(r)];
}

int RunsModel::rowOf(int runNo) const
{
    for (int r = 0; r < rowCount(); ++r)
        if (run(r).runNo == runNo)
            return r;
    return -1;
}

int RunsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_register.runs().size());
}

int RunsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QString RunsModel::billedText(const RunRecord &run)
{
    if (run.mode == RunMode::Void)
        return QStringLiteral("Void of run %1").arg(run.voidsRun);
    return frequencyNames().value(run.frequency) + QStringLiteral(", ") + monthNames().value(run.month) + u' '
           + QString::number(run.made.date().year());
}

QString RunsModel::stateText(const RunRecord &run) const
{
    if (run.mode == RunMode::Void)
        return QStringLiteral("Credits posted");
    const RunState s = m_register.state(run);
    if (s.whole())
        return QStringLiteral("Voided");
    if (s.voided > 0)
        return QStringLiteral("%1 of %2 voided").arg(s.voided).arg(s.accounts);
    return QStringLiteral("Posted");
}

QVariant RunsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == Number || index.column() == Accounts || index.column() == Total
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
    const RunRecord &r = run(index.row());
    switch (index.column()) {
    case Number:
        return QString::number(r.runNo);
    case Made:
        return base::dates::toShortDateText(r.made.date(), m_locale) + u' '
               + m_locale.toString(r.made.time(), QLocale::ShortFormat);
    case Billed:
        return billedText(r);
    case Mode:
        return r.mode == RunMode::Printed ? QStringLiteral("Printed")
               : r.mode == RunMode::Void  ? QStringLiteral("Void")
                                          : QStringLiteral("Records only");
    case Accounts:
        return QString::number(r.accountCount);
    case Total:
        return (r.mode == RunMode::Void ? -r.total : r.total).toCurrencyText(m_locale);
    case State:
        return stateText(r);
    default:
        return {};
    }
}

QVariant RunsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const heads[] = {"Run", "Date", "Billed", "Mode", "Accounts", "Total", "State"};
    return QString::fromLatin1(heads[section]);
}

void RunAccountsModel::setAccounts(const RunRecord &run, std::vector<RegisteredAccount> accounts)
{
    beginResetModel();
    m_run = run;
    m_accounts = std::move(accounts);
    m_after.clear();
    endResetModel();
}

void RunAccountsModel::setBalancesAfter(QHash<int, Money> after)
{
    m_after = std::move(after);
    if (!m_accounts.empty())
        Q_EMIT dataChanged(index(0, After), index(rowCount() - 1, After));
}

int RunAccountsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_accounts.size());
}

int RunAccountsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QString RunAccountsModel::balanceText(Money balance, const QLocale &locale)
{
    return balance.raw() < 0 ? (-balance).toCurrencyText(locale) + QStringLiteral(" credit") : balance.toCurrencyText(locale);
}

QVariant RunAccountsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == Total || index.column() == After ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                                   : QVariant();
    const RegisteredAccount &a = account(index.row());
    switch (index.column()) {
    case AcctNo:
        return a.record.acctNo;
    case Name:
        return a.record.name;
    case Invoice:
        return a.record.invoiceNo;
    case Total:
        return a.record.total.toCurrencyText(m_locale);
    case State:
        if (m_run.mode == RunMode::Void)
            return QStringLiteral("Credited");
        return a.voidedBy ? QStringLiteral("Voided %1 (run %2)")
                                .arg(base::dates::toShortDateText(a.voidedOn, m_locale))
                                .arg(a.voidedBy)
                          : QStringLiteral("Posted");
    case After: {
        const auto it = m_after.constFind(a.number);
        return it == m_after.cend() ? QString() : balanceText(*it, m_locale);
    }
    default:
        return {};
    }
}

QVariant RunAccountsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const heads[] = {"Account", "Name", "Invoice", "Total", "State", "Balance after void"};
    return QString::fromLatin1(heads[section]);
}

} // namespace ui
