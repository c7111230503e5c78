#pragma once
// The outside suppliers the main menu links to, and the user manual. Kept
// together so an address that moves is changed in one place.
#include <QString>

namespace ui {

namespace links {

inline const QString kDeluxeChecks = QStringLiteral("https://www.deluxe.com/shop-checks/business-checks");
inline const QString kDeluxeDepositSlips = QStringLiteral("https://www.deluxe.com/deposit-slips");
inline const QString kPlainPaper = QStringLiteral("https://www.staples.com/copy-paper/cat_CL140420");
inline const QString kPerforatedPaper = QStringLiteral("https://www.staples.com/perforated-paper/cat_CL161559");
inline const QString kGraytex = QStringLiteral("https://www.graytex.com/carbonless-forms");
inline const QString kAveryMailingLabels = QStringLiteral("https://www.staples.com/avery-mailing-labels/cat_CL140520");
inline const QString kAveryShippingLabels = QStringLiteral("https://www.staples.com/avery-shipping-labels/cat_CL140522");

// The manual ships with the program, so Help works without a network.
inline const QString kManualFile = QStringLiteral("/Manual/index.html");

} // namespace links

} // namespace ui
