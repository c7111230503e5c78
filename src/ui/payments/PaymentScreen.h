#pragma once
// The payment screen: every account with a ledger and its balance; the
// user enters a batch of payments (amount, check or cash, date received,
// in the entry frame) and writes them in one step, or purges the accounts
// that are paid up.
#include "base/Money.h"
#include "context/AppContext.h"
#include "ui/shell/Screen.h"

#include <QHash>
#include <QIcon>

#include <functional>

class QPushButton;
class QTableView;
class QTimer;
class QToolButton;

namespace ui {

class Navigator;
class PaymentEntryFrame;
class PaymentModel;

class PaymentScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Payments;
    PaymentScreen(context::AppContext &ctx, Navigator &navigator, QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;

    const PaymentModel &model() const { return *m_model; }
    bool pointerBlinking(int image) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectRow(int row); // a click on the row
    QTableView *buildGrid();
    QLayout *buildBottom();
    QPushButton *commandButton(int index, const char *caption, const char *tip, std::function<void()> run);
    void startPointers();
    void stopBlinking(QTimer *timer);
    void loadOpenAccounts();
    void clearRowEntry();
    void paymentEntered(base::Money amount, const QString &method, const QDate &received);
    void writePayments();
    void purgeZeroBalances();
    void showMenu();

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    PaymentModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    PaymentEntryFrame *m_entry = nullptr;
    QToolButton *m_pointerGrid = nullptr;  // Image1(9), blinked by Timer1
    QToolButton *m_pointerWrite = nullptr; // Image1(0), blinked by Timer2
    QHash<QTimer *, std::pair<QToolButton *, QIcon>> m_pictures; // each pointer and its picture
    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    int m_current = -1;
};

} // namespace ui
