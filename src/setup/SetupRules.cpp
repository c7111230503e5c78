#include "setup/SetupRules.h"

#include "base/Money.h"

using namespace base;

namespace setup {

float logoSizeStep(float current, bool up)
{
    if (up)
        return current >= 1800.0f ? 360.0f : current + 50.0f;
    return current <= 360.0f ? 1800.0f : current - 50.0f;
}

QColor colorFromStored(std::uint32_t stored)
{
    return QColor(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
}

std::uint32_t storedFromColor(const QColor &color)
{
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8) | (std::uint32_t(color.blue()) << 16);
}

std::optional<QString> graduatedAmount(const QString &text, const QLocale &locale)
{
    const std::optional<Money> amount = Money::parse(text, locale);
    if (!amount)
        return std::nullopt;
    return amount->toCurrencyText(locale);
}

std::optional<QString> graduatedProblem(const QString &text, const QLocale &locale)
{
    const std::optional<Money> amount = Money::parse(text, locale);
    if (!amount || *amount >= Money())
        return std::nullopt;
    return QStringLiteral("The amount %1 is below zero.\nA graduated limit or surcharge is zero or more.")
        .arg(amount->toCurrencyText(locale));
}

} // namespace setup
