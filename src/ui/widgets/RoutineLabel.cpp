#include "ui/widgets/RoutineLabel.h"

#include <QKeyEvent>

namespace ui {

RoutineLabel::RoutineLabel(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(QStringLiteral(
        "RoutineLabel { text-align: left; border: none; padding: 3px 6px; color: #0b3d91; font-size: 11pt; }"
        "RoutineLabel:hover { text-decoration: underline; }"
        "RoutineLabel:focus { background: #dde7f7; }"
        "RoutineLabel:disabled { color: #8a8a8a; }"));
}

void RoutineLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace ui
