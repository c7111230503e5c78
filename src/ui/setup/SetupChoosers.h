#pragma once
// The system choosers the setup screen opens (colour, font, picture file),
// behind functions so that tests can answer them.
#include <QColor>
#include <QString>
#include "ui/shell/PrinterChooser.h"

#include <functional>
#include <optional>

class QWidget;

namespace ui {

struct SetupChoosers {
    std::function<std::optional<QColor>(const QColor &current, QWidget *parent)> colour;
    std::function<std::optional<QString>(const QString &current, QWidget *parent)> font;
    std::function<QString(QWidget *parent)> pictureFile;
    PrinterChooser printer;
    static SetupChoosers system();
};

} // namespace ui
