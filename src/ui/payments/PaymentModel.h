#pragma once
// The payment screen's grid: one row per ledger with its balance, and the
// payment entered for it. A model, so that thousands of accounts list at once.
#include "ledger/Ledger.h"

#include <QAbstractTableModel>
#include <QDate>
#include <vector>

namespace ui {

struct PaymentRow {
    ledger::OpenAccount account;
    bool selected = false;         // column 0: "+"
    std::optional<base::Money> entered;  // column 3 shows it once entered
    QString method;                // column 4: "Check# ..." or "Cash"
    QDate date;                    // column 5: a row with a date has a payment to write
};

class PaymentModel : public QAbstractTableModel {
    Q_OBJECT
public:
    PaymentModel(const QLocale &locale, QObject *parent = nullptr);

    void setAccounts(std::vector<ledger::OpenAccount> accounts);
    PaymentRow &row(int r) { return m_rows[size_t(r)]; }
    const std::vector<PaymentRow> &rows() const { return m_rows; }
    // The amount column as shown: the payment once entered, else the balance.
    base::Money shownAmount(int r) const;
    void rowChanged(int r);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QLocale m_locale;
    std::vector<PaymentRow> m_rows;
};

} // namespace ui
