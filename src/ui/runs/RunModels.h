#pragma once
// The billing-runs screen's two grids as models: the runs of the register,
// newest first (fgRuns), and the accounts of the chosen run (fgRunAccounts),
// with the balance each would have after a void being prepared.
#include "billing/RunRegister.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QLocale>

namespace ui {

class RunsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number = 0, Made, Billed, Mode, Accounts, Total, State, kColumns };
    RunsModel(const QLocale &locale, QObject *parent = nullptr) : QAbstractTableModel(parent), m_locale(locale) {}

    void setRegister(billing::RunRegister reg);
    const billing::RunRegister &runRegister() const { return m_register; }
    // Row r's run (newest first).
    const billing::RunRecord &run(int r) const;
    int rowOf(int runNo) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "Monthly, December"; a void: "Void of run 12".
    static QString billedText(const billing::RunRecord &run);
    QString stateText(const billing::RunRecord &run) const;

private:
    QLocale m_locale;
    billing::RunRegister m_register;
};

class RunAccountsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { AcctNo = 0, Name, Invoice, Total, State, After, kColumns };
    RunAccountsModel(const QLocale &locale, QObject *parent = nullptr) : QAbstractTableModel(parent), m_locale(locale) {}

    void setAccounts(const billing::RunRecord &run, std::vector<billing::RegisteredAccount> accounts);
    const billing::RunRecord &run() const { return m_run; }
    const billing::RegisteredAccount &account(int r) const { return m_accounts[size_t(r)]; }
    // The balances after the void being prepared, by account record; none
    // shown once it is cleared.
    void setBalancesAfter(QHash<int, base::Money> after);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A balance as the user reads it: a credit balance says so.
    static QString balanceText(base::Money balance, const QLocale &locale);

private:
    QLocale m_locale;
    billing::RunRecord m_run;
    std::vector<billing::RegisteredAccount> m_accounts;
    QHash<int, base::Money> m_after;
};

} // namespace ui
