#pragma once
// "Export": one of the program's files saved as CSV for a spreadsheet or
// an accountant, chosen from a list, with a date range where the file has
// dates and the encoding the other program reads.
#include "context/AppContext.h"
#include "ui/shell/SaveFileChooser.h"
#include "ui/shell/Screen.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;

namespace ui {

class Navigator;

class ExportScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Export;

    ExportScreen(context::AppContext &ctx, Navigator &navigator, SaveFileChooser saveFile = systemCsvSaveFile(),
                 QWidget *parent = nullptr);
    QString caption() const override;
    void activate(Routine routine) override;

private:
    void kindChosen();
    void exportChosen();

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    SaveFileChooser m_saveFile;
    QComboBox *m_kind = nullptr;
    QCheckBox *m_range = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QComboBox *m_encoding = nullptr;
};

} // namespace ui
