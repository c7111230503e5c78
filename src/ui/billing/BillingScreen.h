#pragma once
// The billing screen "Cycle Invoicing": choose a frequency and a month,
// load the accounts that are due, change a charge or a service for this
// run, add sales items to every invoice, select the accounts and run. The
// screen coordinates its frames (BillingFrames.h) and the run command
// (BillingRunCommand.cpp).
#include "billing/PrintedRun.h"
#include "billing/RunRegister.h"
#include "context/AppContext.h"
#include "ui/shell/PrinterChooser.h"
#include "ui/shell/Screen.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace ui {

class Navigator;
class CycleGridModel;
class ItemsModel;
class ChargeFrame;
class ServiceFrame;
class ItemsFrame;

class BillingScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Billing;
    BillingScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers = PrinterChooser::system(),
                  QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;

    const CycleGridModel &grid() const { return *m_grid; }
    const ItemsModel &items() const;
    bool itemsAdded() const;

private:
    QWidget *buildSelection();
    QWidget *buildCommands();
    void chooseFrequency(int index);
    void loadGrid();
    void cellChosen(const QModelIndex &index);
    void selectAll(bool on);
    void chargePosted(int row, const QString &charge);
    void serviceChanged(int row, const QString &service, const QString &charge);
    void startAddingItems();
    void itemsReady();
    void showRunCaption();
    void run();
    // The checks every run makes before it writes; nothing when one fails
    // (the user has been told).
    std::optional<std::pair<billing::RunSettings, std::vector<billing::Posting>>> planRun();
    void runPrinted(const billing::RunSettings &settings, const std::vector<billing::Posting> &postings);
    void previewRun();
    void finishRun(const billing::RunOutcome &out, const std::vector<billing::Posting> &postings,
                   const QStringList &invoices = {}, const QString &failedInvoice = {});
    void reportStop(const billing::RunOutcome &out, const std::vector<billing::Posting> &postings,
                    const QStringList &invoices, const QString &failedInvoice);
    // "n of m accounts were posted ...", with the invoice numbers.
    static QString postedText(size_t posted, size_t all, const QStringList &invoices);
    void markPosted(const std::vector<int> &rows);
    // The accounts a run in the register billed for the loaded month (and
    // not voided), read again after every run.
    void readBilledBefore();

    QHash<QString, billing::RunRegister::Billed> m_billedBefore;
    context::AppContext &m_ctx;
    Navigator &m_navigator;
    PrinterChooser m_printers;
    CycleGridModel *m_grid = nullptr;
    QListWidget *m_frequency = nullptr;
    QListWidget *m_months = nullptr;
    QLabel *m_shown = nullptr; // Label1(1)
    QTableView *m_table = nullptr;
    QCheckBox *m_printInvoice = nullptr;
    QPushButton *m_run = nullptr;
    ChargeFrame *m_chargeFrame = nullptr;
    ServiceFrame *m_serviceFrame = nullptr;
    ItemsFrame *m_itemsFrame = nullptr;
};

} // namespace ui
