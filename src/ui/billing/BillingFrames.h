#pragma once
// The billing screen's frames, each a class the screen coordinates:
// - ChargeFrame "Change Charge": a new charge for one row, this run only;
// - ServiceFrame "Change Service": another service (with its charge) for
//   one row, this run only;
// - ItemsFrame "Add Items to Invoice": the sales items added to every
//   invoice of the run, each priced with its quantity discount.
// Each is opened for a row (or for the run), checks what the user enters,
// and tells the screen what was chosen by a signal.
#include "base/Money.h"
#include "billing/PrintedRun.h"
#include "catalog/Catalog.h"
#include "context/AppContext.h"

#include <QGroupBox>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace ui {

class ItemsModel;

// Command i of the screen and its frames, "cmdMonthly_<i>".
QPushButton *billingCommand(int index, const QString &caption, QWidget *parent);

class ChargeFrame : public QGroupBox {
    Q_OBJECT
public:
    ChargeFrame(context::AppContext &ctx, QWidget *parent = nullptr);
    // Shown for the row, the box at zero and in focus.
    void open(int row);

Q_SIGNALS:
    void chargePosted(int row, const QString &charge);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void post();
    context::AppContext &m_ctx;
    QLineEdit *m_charge = nullptr;
    int m_row = -1;
};

class ServiceFrame : public QGroupBox {
    Q_OBJECT
public:
    ServiceFrame(context::AppContext &ctx, QWidget *parent = nullptr);
    // The catalogue's services, none chosen.
    void load(const std::vector<catalog::ServiceRow> &services);
    void open(int row);

Q_SIGNALS:
    void serviceChanged(int row, const QString &service, const QString &charge);

private:
    void change();
    context::AppContext &m_ctx;
    QComboBox *m_services = nullptr;
    QListWidget *m_costs = nullptr;
    int m_row = -1;
};

class ItemsFrame : public QGroupBox {
    Q_OBJECT
public:
    ItemsFrame(context::AppContext &ctx, QWidget *parent = nullptr);
    // The stocked items, none marked.
    void load(const std::vector<catalog::InventoriedItemRecord> &items);
    // "Add Items": asked first; true when the user goes on (the frame open).
    bool start();
    // The marks dropped once a run has used them.
    void clear();

    const ItemsModel &model() const { return *m_items; }
    bool added() const { return m_added; }
    std::vector<billing::SoldLine> soldLines() const;
    // The marked items' total, summed afresh whenever it is needed, so the
    // subtotal always matches the item lines.
    base::Money total() const;

Q_SIGNALS:
    // "Close Window and Add Items": the user is to select the accounts.
    void itemsReady();

private:
    QWidget *buildCalculation();
    void itemChosen(const QModelIndex &index);
    void removeItem(int row);
    void calculate();
    void addToInvoice();
    void close(bool add);
    void forgetPrice();

    context::AppContext &m_ctx;
    ItemsModel *m_items = nullptr;
    QTableView *m_table = nullptr;
    QGroupBox *m_calcFrame = nullptr;
    QLabel *m_itemName = nullptr;
    QLineEdit *m_units = nullptr;
    QLabel *m_itemCost = nullptr;
    QPushButton *m_add = nullptr;
    int m_itemRow = -1;
    std::optional<base::Money> m_priced; // the line total "Calculate" gave
    bool m_added = false;
};

} // namespace ui
