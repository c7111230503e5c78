#pragma once
// The billing-runs screen: the runs of the register newest first and the
// accounts of the chosen one. A printed run's invoices (or a void's credit
// notes) can be printed again as they were posted, with a preview; a run,
// or one invoice of it, can be voided after the user has seen what the
// void will post.
#include "billing/RunVoid.h"
#include "context/AppContext.h"
#include "ui/shell/PrinterChooser.h"
#include "ui/shell/Screen.h"

class QLabel;
class QPushButton;
class QTableView;

namespace ui {

class Navigator;
class RunsModel;
class RunAccountsModel;

class BillingRunsScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::BillingRuns;
    BillingRunsScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers = PrinterChooser::system(),
                      QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;

    const RunsModel &runs() const { return *m_runs; }
    const RunAccountsModel &accounts() const { return *m_accounts; }

private:
    QPushButton *command(const char *name, const QString &caption, const QString &tip, void (BillingRunsScreen::*run)());
    void readRegister(int keepRunNo);
    void chooseRun(int row);
    void enableCommands();
    // The invoices chosen in the accounts grid (all of them when none is),
    // as they print: a run's invoices, a void's credit notes.
    QList<billing::InvoiceToPrint> chosenInvoices() const;
    void printAgain();
    void previewAgain();
    void printDocuments(const QList<billing::InvoiceToPrint> &documents, const QString &what);
    void voidRun() { voidChosen(true); }
    void voidInvoice() { voidChosen(false); }
    void voidChosen(bool whole);
    QString voidQuestion(const billing::VoidPlan &plan, bool whole) const;

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    PrinterChooser m_printers;
    RunsModel *m_runs = nullptr;
    RunAccountsModel *m_accounts = nullptr;
    QTableView *m_runGrid = nullptr;
    QTableView *m_accountGrid = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_printAgain = nullptr;
    QPushButton *m_preview = nullptr;
    QPushButton *m_voidRun = nullptr;
    QPushButton *m_voidInvoice = nullptr;
};

} // namespace ui
