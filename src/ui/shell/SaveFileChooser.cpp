#include "ui/shell/SaveFileChooser.h"

#include <QFileDialog>

namespace ui {

SaveFileChooser systemCsvSaveFile()
{
    return [](QWidget *parent, const QString &suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Export"), suggested, QStringLiteral("CSV files (*.csv)"));
    };
}

} // namespace ui
