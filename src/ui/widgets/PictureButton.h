#pragma once
// A picture the user clicks: a flat tool button with the picture as its
// icon and its tooltip as its accessible name, so it also works from the
// keyboard and for a screen reader.
#include <QIcon>
#include <QToolButton>

namespace ui {

inline QToolButton *pictureButton(QWidget *parent, const QString &objectName, const QIcon &picture, int size,
                                  const QString &tooltip)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setIcon(picture);
    button->setIconSize(QSize(size, size));
    button->setAutoRaise(true);
    button->setToolTip(tooltip);
    button->setAccessibleName(tooltip);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace ui
