#include "ui/shell/SaveFileChooser.h"

#include <QFileDialog>

namespace ui {

SaveFileChooser systemCsvSaveFile()
{
    return [](QWidget *parent, const QString &suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Export"), suggested, QStringLiteral("CSV files (*.csv)"));
    };
}

OpenFileChooser systemCsvOpenFile()
{
    return [](QWidget *parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Import Customers"), QString(),
                                            QStringLiteral("CSV files (*.csv *.CSV *.txt);;All files (*)"));
    };
}

} // namespace ui
