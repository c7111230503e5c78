#pragma once
// The history screen "Account Service and Billing History": the service
// and financial histories within a date range, for all accounts or one,
// with the period's net total, the report periods, the purges, and the
// shown grid exported to CSV or printed.
#include "context/AppContext.h"
#include "ui/shell/PrinterChooser.h"
#include "ui/shell/Screen.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTableView;

namespace ui {

class Navigator;
class HistoryRangeFrame;
class HistoryModel;

class HistoryScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::History;
    // Where the CSV goes: a save dialog in the program, a path in the tests;
    // empty for "cancelled".
    using ExportFile = std::function<QString(QWidget *parent)>;
    HistoryScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers = PrinterChooser::system(),
                  ExportFile exportFile = {}, QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;

    const HistoryModel &financial() const { return *m_financial; }
    const HistoryModel &service() const { return *m_service; }

private:
    QWidget *buildCommands();
    void loadHistory();
    void toggleGrids();
    void releaseFiles();
    void purgeAll();
    void purgeAccount();
    void exportGrid();
    void printGrid();
    // Prints the grid shown on the printer given (the chosen one or the
    // preview's); the problem when it failed, else nothing.
    QString renderGrid(QPrinter &printer);
    bool financialShown() const;

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    PrinterChooser m_printers;
    ExportFile m_exportFile;
    HistoryModel *m_financial = nullptr;
    HistoryModel *m_service = nullptr;
    QTableView *m_financialGrid = nullptr;
    QTableView *m_serviceGrid = nullptr;
    HistoryRangeFrame *m_range = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_totalLabel = nullptr;
    QLineEdit *m_total = nullptr;
    QLabel *m_flows = nullptr; // billed and received in the period
    QPushButton *m_purgeAll = nullptr;
};

} // namespace ui
