#pragma once
// "Accounts Receivable": who owes what and for how long at a date, with
// the totals of the accounts shown; printed as a report, exported as CSV,
// and the statements of the chosen accounts (or of every account with a
// balance due in the list) printed into one document, with a preview.
#include "context/AppContext.h"
#include "receivables/StatementPrint.h"
#include "ui/shell/PrinterChooser.h"
#include "ui/shell/SaveFileChooser.h"
#include "ui/shell/Screen.h"

#include <functional>

class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QPrinter;
class QTableView;

namespace ui {

class Navigator;
class ReceivablesModel;
class OverdueFilter;

class ReceivablesScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Receivables;

    ReceivablesScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers = PrinterChooser::system(),
                      SaveFileChooser saveFile = systemCsvSaveFile(), QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;

    const OverdueFilter &shown() const { return *m_filter; }

private:
    // The grid with its label and the totals under it; the command row.
    void buildGrid(QVBoxLayout *layout);
    QHBoxLayout *buildCommands();
    void reload();
    void showTotals();
    // The accounts shown, in the order shown.
    std::vector<const receivables::Receivable *> rowsShown() const;
    std::vector<const receivables::Receivable *> rowsChosen() const;
    QList<QStringList> reportRows() const;
    QString renderReport(QPrinter &printer) const;
    void printReport();
    void exportCsv();
    std::vector<receivables::StatementToPrint> statementsOf(const std::vector<const receivables::Receivable *> &rows) const;
    void printStatements(const std::vector<const receivables::Receivable *> &rows);
    void previewStatement();

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    PrinterChooser m_printers;
    SaveFileChooser m_saveFile;
    ReceivablesModel *m_model = nullptr;
    OverdueFilter *m_filter = nullptr;
    QTableView *m_grid = nullptr;
    QDateEdit *m_asOf = nullptr;
    QDateEdit *m_from = nullptr;
    QComboBox *m_overdue = nullptr;
    QLabel *m_totals = nullptr;
};

} // namespace ui
