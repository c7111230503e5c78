#include "ui/shell/SaveFileChooser.h"

#include "base/Prompt.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

namespace ui {

SaveFileChooser systemCsvSaveFile()
{
    return [](QWidget *parent, const QString &suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Export"), suggested, QStringLiteral("CSV files (*.csv)"));
    };
}

bool writeChosenFile(base::Prompt &prompt, const QString &file, const QByteArray &bytes, const QString &title,
                     const QString &afterFailure)
{
    QSaveFile save(file);
    if (save.open(QIODevice::WriteOnly) && save.write(bytes) == bytes.size() && save.commit())
        return true;
    prompt.message(QStringLiteral("The file %1 could not be written (%2)%3.")
                       .arg(QDir::toNativeSeparators(file), save.errorString(),
                            afterFailure.isEmpty() ? QString() : QStringLiteral("; ") + afterFailure),
                   title);
    return false;
}

OpenFileChooser systemCsvOpenFile()
{
    return [](QWidget *parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Import Customers"), QString(),
                                            QStringLiteral("CSV files (*.csv *.CSV *.txt);;All files (*)"));
    };
}

} // namespace ui
