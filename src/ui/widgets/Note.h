#pragma once
// A line of explanation beside the controls: a label that wraps.
#include <QLabel>

namespace ui {

inline QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace ui
