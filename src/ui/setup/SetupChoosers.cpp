#include "ui/setup/SetupChoosers.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>

namespace ui {

SetupChoosers SetupChoosers::system()
{
    SetupChoosers c;
    c.printer = PrinterChooser::system();
    c.colour = [](const QColor &current, QWidget *parent) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, parent);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    c.font = [](const QString &current, QWidget *parent) -> std::optional<QString> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, QFont(current), parent, QStringLiteral("Print Font"));
        return ok ? std::optional<QString>(chosen.family()) : std::nullopt;
    };
    c.pictureFile = [](QWidget *parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Find your Logo"), QString(),
                                            QStringLiteral("Pictures (*.bmp *.BMP *.ico *.ICO *.jpg *.JPG *.jpeg "
                                                           "*.png *.PNG *.gif);;All (*)"));
    };
    return c;
}

} // namespace ui
