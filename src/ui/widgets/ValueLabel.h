#pragma once
// A label that shows a value (a total, a summary, a status): it wraps, can
// be reached with Tab and read or copied, and carries no accessible name
// of its own, so a screen reader reads the value itself.
#include <QLabel>

namespace ui {

inline QLabel *makeValueLabel(QWidget *parent, const char *objectName, const QString &text = QString())
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::TabFocus);
    return label;
}

} // namespace ui
