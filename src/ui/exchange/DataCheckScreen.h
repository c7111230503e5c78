#pragma once
// "Check Data Folder": every file of the data folder read and what is
// wrong listed (the file, the fault, and the safe mend where there is
// one), to print or save; each mend said in full and asked before it is
// made. The check runs on a worker thread, so the window answers while a
// large folder is read.
#include "context/AppContext.h"
#include "exchange/DataCheck.h"
#include "ui/shell/PrinterChooser.h"
#include "ui/shell/SaveFileChooser.h"
#include "ui/shell/Screen.h"

#include <QFutureWatcher>
#include <vector>

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace ui {

class Navigator;

class DataCheckScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::DataCheck;

    DataCheckScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers = PrinterChooser::system(),
                    SaveFileChooser saveFile = systemCsvSaveFile(), QWidget *parent = nullptr);
    QString caption() const override;
    void activate(Routine routine) override;

    // What the last check found.
    const std::vector<exchange::Finding> &findings() const { return m_findings; }
    bool checking() const { return m_watcher.isRunning(); }

Q_SIGNALS:
    void checked();

private:
    QWidget *buildCommands();
    void startCheck();
    void showFindings();
    void chosenChanged();
    void mendChosen();
    void mendAll();
    bool mendEach(const std::vector<exchange::Finding> &findings);
    void printList();
    void saveList();
    QString renderList(QPrinter &printer);

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    PrinterChooser m_printers;
    SaveFileChooser m_saveFile;
    QFutureWatcher<std::vector<exchange::Finding>> m_watcher;
    std::vector<exchange::Finding> m_findings;
    QDateTime m_checkedAt;

    QLabel *m_summary = nullptr;
    QStandardItemModel *m_rows = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_check = nullptr;
    QPushButton *m_mend = nullptr;
    QPushButton *m_mendAll = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_save = nullptr;
};

} // namespace ui
