#pragma once
// Small rules of the setup screen that do not need a window: the logo size
// spinners, colours as stored, and the graduated tax amounts.
#include <QColor>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace setup {

// One step of a logo size spinner, in twips: 50 a step, and past either end
// of 360..1800 it wraps to the other end (down from 400 gives 350, then 1800).
float logoSizeStep(float current, bool up);

// Colours are stored as 0x00BBGGRR.
QColor colorFromStored(std::uint32_t stored);
std::uint32_t storedFromColor(const QColor &color);

// A graduated amount as currency text, or nothing when it is not a number.
std::optional<QString> graduatedAmount(const QString &text, const QLocale &locale);
// Why a graduated limit or surcharge cannot be kept: it is below zero.
std::optional<QString> graduatedProblem(const QString &text, const QLocale &locale);
inline const QString kGraduatedTitle = QStringLiteral("Graduated Tax Scheme");


} // namespace setup
