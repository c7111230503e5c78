#pragma once
// The save dialog of an export as a seam: the file name chosen, empty on
// Cancel. Tests hand back a name in a temporary folder.
#include <QByteArray>
#include <QString>
#include <functional>

namespace base {
class Prompt;
} // namespace base

class QWidget;

namespace ui {

using SaveFileChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
// The system's save dialog, offering CSV files.
SaveFileChooser systemCsvSaveFile();

// Writes the bytes to the file chosen, whole or not at all; a failure is
// said with the file and the reason ("...; nothing was exported." when
// `afterFailure` is "nothing was exported"). True when written.
bool writeChosenFile(base::Prompt &prompt, const QString &file, const QByteArray &bytes, const QString &title,
                     const QString &afterFailure = QString());

// The open dialog of an import: the file chosen, empty on Cancel.
using OpenFileChooser = std::function<QString(QWidget *parent)>;
OpenFileChooser systemCsvOpenFile();

} // namespace ui
