#pragma once
// The catalogue's two record files and the labour file: what the business
// sells, as services billed on a cycle and stocked sales items.
#include "base/Money.h"
#include "store/Transaction.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace catalog {

inline const QString kServicesFile = QStringLiteral("/Services.txt");
inline const QString kItemsFile = QStringLiteral("/BVInventoriedItems.txt");
inline const QString kLaborFile = QStringLiteral("/Labor.txt");

// "Services.txt", 72 bytes.
struct ServiceRecord {
    static constexpr int kLength = 72;
    // The charge is kept as the currency text shown in the services grid,
    // at most this many characters.
    static constexpr int kChargeWidth = 10;

    QString description;          //  0, 60
    QString charge;               // 60, 10: currency display text
    std::int16_t allottedTime = 0; // 70: index into the allotted-time list

    QByteArray encode() const;
    static ServiceRecord decode(const QByteArray &bytes);
};

// "BVInventoriedItems.txt", 104 bytes.
struct InventoriedItemRecord {
    static constexpr int kLength = 104;

    QString description;           //   0, 50: the key billing finds it by
    QString category;              //  50, 20
    base::Money cost;                    //  70
    base::Money price;                   //  78
    std::int16_t onHand = 0;       //  86
    base::Money discountPrice;           //  88: applies above discountQty
    std::int32_t discountQty = 0;  //  96: 0 turns the discount off
    std::int16_t reorderAmount = 0; // 100
    std::int16_t reorderAt = 0;    // 102

    QByteArray encode() const;
    static InventoriedItemRecord decode(const QByteArray &bytes);
    bool operator==(const InventoriedItemRecord &) const = default;
};

// The allotted-time list: index i is i quarter hours, "0:00" to "8:00".
namespace allotted {
constexpr int kCount = 33;
QString timeText(int index);
const QStringList &timeList();
// The index of the entry with exactly this text, or 0.
int indexOfTime(const QString &text);
// The index a stored value is shown with: 0 (and anything outside the
// list) shows as 1, a quarter of an hour.
int shownIndex(int stored);
} // namespace allotted

// Whole numbers typed into the stock boxes, in the locale's or plain form;
// nothing when the text is not a whole number or does not fit the field.
std::optional<std::int16_t> parseInt16(const QString &text, const QLocale &locale);
std::optional<std::int32_t> parseInt32(const QString &text, const QLocale &locale);

// Items sold on an invoice: for each, the first stocked record of its
// description has its units on hand lowered by the units sold, never below
// 0 nor above 32,767 (units below zero are units returned), staged in the
// transaction that posts the invoice. Returns, for each entry, the units
// the stock really went down by (0 for an item not stocked), so that a
// return can give back exactly what was taken.
struct UnitsSold {
    QString description;
    int units = 0;
};
std::vector<int> stageUnitsSold(store::Transaction &tx, const std::vector<UnitsSold> &sold);

} // namespace catalog
