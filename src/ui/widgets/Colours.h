#pragma once
// Colours that stay readable in the desktop's light and dark palettes.
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace ui {

// Text that warns (a record that cannot be read, a box that must be
// filled): a deep red on a light background, a light red on a dark one.
inline QColor warningTextColour(const QPalette &palette = QGuiApplication::palette())
{
    return palette.color(QPalette::Base).lightness() < 128 ? QColor(0xff, 0x8a, 0x80) : QColor(0xb0, 0x00, 0x20);
}

} // namespace ui
