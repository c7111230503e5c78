#include "ui/widgets/RoutineLabel.h"

#include <QKeyEvent>

namespace ui {

RoutineLabel::RoutineLabel(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    // A large button with its picture, in the desktop's own colours (light
    // or dark) and font size: nothing here is drawn in a fixed colour.
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setIconSize(QSize(32, 32));
    setMinimumHeight(fontMetrics().height() * 2 + 16);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding: 6px 14px; }"));
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
