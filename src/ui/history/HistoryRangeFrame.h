#pragma once
// The history screen's choice of what to show: the date range (two
// pickers, never past today nor ending before it starts), the account with
// "Display Single Account", and the four report periods.
#include "context/AppContext.h"
#include "customers/CustomerFile.h"
#include "history/History.h"

#include <QAbstractListModel>
#include <functional>

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;

namespace ui {

// The customer file's account numbers as the list shows them: 32,767
// customers make no strings until they are seen.
class AccountNumberModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void setNumbers(customers::AcctNoIndex numbers);
    // The number exactly (letter case counts) is one of the file's.
    bool contains(const QString &acctNo) const { return m_numbers.isTaken(acctNo, 0); }
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    customers::AcctNoIndex m_numbers;
};

class HistoryRangeFrame : public QWidget {
    Q_OBJECT
public:
    HistoryRangeFrame(context::AppContext &ctx, QWidget *parent = nullptr);

    // The account numbers to choose from, read by `read` when the list is
    // first needed (the box entered, its list opened, a number checked):
    // a user who looks at the history of every account never waits for
    // 32,767 numbers. The text typed stays.
    void load(std::function<customers::AcctNoIndex()> read);
    // Both dates set before either is checked, so a report period never
    // meets the range it replaces half way.
    void setRange(const QDate &start, const QDate &end);
    history::HistoryFilter filter() const;
    QDate start() const;
    QDate end() const;
    bool single() const;
    // The account typed or chosen, trimmed; and whether it is one of the list.
    QString account() const;
    bool isListed(const QString &account) const;

Q_SIGNALS:
    void singleToggled(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildPeriods();
    void readAccounts() const;
    void dateChanged(QDateEdit *edit);
    void setQuietly(QDateEdit *edit, const QDate &date);

    context::AppContext &m_ctx;
    QDateEdit *m_start = nullptr;
    QDateEdit *m_end = nullptr;
    QComboBox *m_accounts = nullptr;
    AccountNumberModel *m_accountNumbers = nullptr;
    mutable std::function<customers::AcctNoIndex()> m_readAccounts; // set while the list is still to be read
    QCheckBox *m_single = nullptr;
    bool m_settingRange = false;
};

} // namespace ui
