#pragma once
// The billing screen "Cycle Invoicing": choose a frequency and a month,
// load the accounts that are due, change a charge or a service for this
// run, add sales items to every invoice, select the accounts and run.
#include "billing/PrintedRun.h"
#include "context/AppContext.h"
#include "ui/shell/PrinterChooser.h"
#include "ui/shell/Screen.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace ui {

class Navigator;
class CycleGridModel;
class ItemsModel;

class BillingScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Billing;
    BillingScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers = PrinterChooser::system(),
                  QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;

    const CycleGridModel &grid() const { return *m_grid; }
    const ItemsModel &items() const { return *m_items; }
    bool itemsAdded() const { return m_itemsAdded; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildSelection();
    QWidget *buildChargeFrame();
    QWidget *buildServiceFrame();
    QWidget *buildItemsFrame();
    QPushButton *command(int index, const QString &caption, QWidget *parent);
    void chooseFrequency(int index);
    void loadGrid();
    void cellChosen(const QModelIndex &index);
    void selectAll(bool on);
    void postCharge();
    void changeService();
    void showRunCaption();
    void run();
    // The checks every run makes before it writes; nothing when one fails
    // (the user has been told).
    std::optional<std::pair<billing::RunSettings, std::vector<billing::Posting>>> planRun();
    void runPrinted(const billing::RunSettings &settings, const std::vector<billing::Posting> &postings);
    void previewRun();
    std::vector<billing::SoldLine> soldLines() const;
    void finishRun(const billing::RunOutcome &out, const std::vector<billing::Posting> &postings,
                   const QStringList &invoices = {}, const QString &failedInvoice = {});
    void reportStop(const billing::RunOutcome &out, const std::vector<billing::Posting> &postings,
                    const QStringList &invoices, const QString &failedInvoice);
    // "n of m accounts were posted ...", with the invoice numbers.
    static QString postedText(size_t posted, size_t all, const QStringList &invoices);
    void markPosted(const std::vector<int> &rows);
    // Sales items (the items frame).
    void startAddingItems();
    void itemChosen(const QModelIndex &index);
    void removeItem(int row);
    void calculateItem();
    void addItemToInvoice();
    void closeItems(bool add);
    base::Money itemsTotal() const;

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    PrinterChooser m_printers;
    CycleGridModel *m_grid = nullptr;
    ItemsModel *m_items = nullptr;
    QListWidget *m_frequency = nullptr;
    QListWidget *m_months = nullptr;
    QLabel *m_shown = nullptr; // Label1(1)
    QTableView *m_table = nullptr;
    QCheckBox *m_printInvoice = nullptr;
    QPushButton *m_run = nullptr;
    std::array<QPushButton *, 11> m_cmd{};
    QGroupBox *m_chargeFrame = nullptr;
    QLineEdit *m_charge = nullptr;
    int m_chargeRow = -1;
    QGroupBox *m_serviceFrame = nullptr;
    QComboBox *m_services = nullptr;
    QListWidget *m_serviceCosts = nullptr;
    int m_serviceRow = -1;
    QGroupBox *m_itemsFrame = nullptr;
    QTableView *m_itemTable = nullptr;
    QGroupBox *m_calcFrame = nullptr;
    QLabel *m_itemName = nullptr;
    QLineEdit *m_units = nullptr;
    QLabel *m_itemCost = nullptr;
    int m_itemRow = -1;
    std::optional<base::Money> m_priced; // the line total "Calculate" gave
    bool m_itemsAdded = false;
};

} // namespace ui
