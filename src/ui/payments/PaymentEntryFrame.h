#pragma once
// The payment screen's entry frame "fraEntry": the amount received, the
// check number (blank for cash) and the date received for the account
// chosen in the grid. "Enter" checks them and hands the payment to the
// screen; "Redo" and "Clear Ck #" tell the screen to drop what the row
// holds.
#include "base/Money.h"
#include "context/AppContext.h"

#include <QDate>
#include <QGroupBox>

class QDateEdit;
class QLineEdit;

namespace ui {

class PaymentEntryFrame : public QGroupBox {
    Q_OBJECT
public:
    PaymentEntryFrame(context::AppContext &ctx, QWidget *parent = nullptr);

    // Empty boxes, today's date.
    void clear();
    // The balance shown as the amount, the check number to type next.
    void offer(base::Money amount);
    // Whether a row of the grid is chosen: "Enter" without one beeps.
    void setAccountChosen(bool chosen) { m_accountChosen = chosen; }

Q_SIGNALS:
    void paymentEntered(base::Money amount, const QString &method, const QDate &received);
    void redoRequested();
    void checkCleared();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enter();
    context::AppContext &m_ctx;
    QLineEdit *m_amount = nullptr;
    QLineEdit *m_checkNo = nullptr;
    QDateEdit *m_date = nullptr;
    bool m_accountChosen = false;
};

} // namespace ui
