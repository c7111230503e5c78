#pragma once
// "Import Customers": a CSV file from a spreadsheet or another program
// shown in a preview grid, each of its columns given a customer field (the
// header's words guessed, the user's choice kept), every row checked as
// the customer screen checks an account, the refused rows listed with
// their line and reason (and savable as CSV), and the rest written as new
// customers in one change.
#include "context/AppContext.h"
#include "exchange/Import.h"
#include "ui/shell/SaveFileChooser.h"
#include "ui/shell/Screen.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace ui {

class Navigator;

class ImportScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Import;

    ImportScreen(context::AppContext &ctx, Navigator &navigator, OpenFileChooser openFile = systemCsvOpenFile(),
                 SaveFileChooser saveFile = systemCsvSaveFile(), QWidget *parent = nullptr);
    QString caption() const override;
    void activate(Routine routine) override;

    // Reads the file and shows it, its columns guessed; false (with the
    // reason said) when it cannot be read.
    bool load(const QString &file);

private:
    QWidget *buildFileRow();
    QWidget *buildCommands();
    void chooseFile();
    void readFile();
    void fillColumns();
    void fillPreview();
    void recheck();
    void importRows();
    void saveRefused();

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    OpenFileChooser m_openFile;
    SaveFileChooser m_saveFile;
    Routine m_routine = Routine::None;

    QByteArray m_bytes;
    exchange::ImportSource m_source;
    std::vector<exchange::ImportField> m_mapping;
    exchange::ImportPlan m_plan;
    bool m_filling = false;

    QLineEdit *m_file = nullptr;
    QComboBox *m_encoding = nullptr;
    QCheckBox *m_header = nullptr;
    QWidget *m_columnsBox = nullptr;
    QGridLayout *m_columns = nullptr;
    std::vector<QComboBox *> m_fieldBoxes;
    QStandardItemModel *m_previewRows = nullptr;
    QTableView *m_preview = nullptr;
    QLabel *m_summary = nullptr;
    QStandardItemModel *m_refusedRows = nullptr;
    QTableView *m_refused = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_saveRefused = nullptr;
};

} // namespace ui
