#pragma once
// The save dialog of an export as a seam: the file name chosen, empty on
// Cancel. Tests hand back a name in a temporary folder.
#include <QString>
#include <functional>

class QWidget;

namespace ui {

using SaveFileChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
// The system's save dialog, offering CSV files.
SaveFileChooser systemCsvSaveFile();

// The open dialog of an import: the file chosen, empty on Cancel.
using OpenFileChooser = std::function<QString(QWidget *parent)>;
OpenFileChooser systemCsvOpenFile();

} // namespace ui
