#include "catalog/CatalogRecords.h"

#include "base/RecordCodec.h"

#include <QLocale>
#include <QMap>
#include <algorithm>
#include <limits>

using namespace base;

namespace catalog {

QByteArray ServiceRecord::encode() const
{
    RecordWriter w(kLength);
    w.putText(0, 60, description.trimmed());
    w.putText(60, kChargeWidth, charge.trimmed());
    w.putInt16(70, allottedTime);
    return w.bytes();
}

ServiceRecord ServiceRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    return {r.text(0, 60), r.text(60, kChargeWidth), r.int16(70)};
}

QByteArray InventoriedItemRecord::encode() const
{
    RecordWriter w(kLength);
    w.putText(0, 50, description.trimmed());
    w.putText(50, 20, category.trimmed());
    w.putMoney(70, cost);
    w.putMoney(78, price);
    w.putInt16(86, onHand);
    w.putMoney(88, discountPrice);
    w.putInt32(96, discountQty);
    w.putInt16(100, reorderAmount);
    w.putInt16(102, reorderAt);
    return w.bytes();
}

InventoriedItemRecord InventoriedItemRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    InventoriedItemRecord i;
    i.description = r.text(0, 50);
    i.category = r.text(50, 20);
    i.cost = r.money(70);
    i.price = r.money(78);
    i.onHand = r.int16(86);
    i.discountPrice = r.money(88);
    i.discountQty = r.int32(96);
    i.reorderAmount = r.int16(100);
    i.reorderAt = r.int16(102);
    return i;
}

namespace allotted {

QString timeText(int index)
{
    static const char *const quarters[] = {":00", ":15", ":30", ":45"};
    return QString::number(index / 4) + QString::fromLatin1(quarters[index % 4]);
}

const QStringList &timeList()
{
    static const QStringList list = [] {
        QStringList l;
        for (int i = 0; i < kCount; ++i)
            l.append(timeText(i));
        return l;
    }();
    return list;
}

int indexOfTime(const QString &text)
{
    const int i = int(timeList().indexOf(text));
    return i < 0 ? 0 : i;
}

int shownIndex(int stored)
{
    return stored >= 1 && stored < kCount ? stored : 1;
}

} // namespace allotted

namespace {
std::optional<qint64> parseWhole(const QString &text, const QLocale &locale)
{
    const QString t = text.trimmed();
    bool ok = false;
    qint64 v = locale.toLongLong(t, &ok);
    if (!ok)
        v = QLocale::c().toLongLong(t, &ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}
} // namespace

std::optional<std::int16_t> parseInt16(const QString &text, const QLocale &locale)
{
    const std::optional<qint64> v = parseWhole(text, locale);
    if (!v || *v < std::numeric_limits<std::int16_t>::min() || *v > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return std::int16_t(*v);
}

std::optional<std::int32_t> parseInt32(const QString &text, const QLocale &locale)
{
    const std::optional<qint64> v = parseWhole(text, locale);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(*v);
}

std::vector<int> stageUnitsSold(store::Transaction &tx, const std::vector<UnitsSold> &sold)
{
    constexpr int kLength = InventoriedItemRecord::kLength;
    std::vector<int> taken(sold.size(), 0);
    if (sold.empty() || !tx.store().restoreFromBackup(kItemsFile))
        return taken;
    const QByteArray file = tx.contents(kItemsFile).value_or(QByteArray());
    const int count = store::FileStore::recordCountOf(file.size(), kLength);
    QMap<int, InventoriedItemRecord> changed;
    for (size_t i = 0; i < sold.size(); ++i) {
        const UnitsSold &item = sold[i];
        for (int n = 1; n <= count; ++n) {
            InventoriedItemRecord rec = changed.contains(n) ? changed.value(n)
                                                            : InventoriedItemRecord::decode(file.mid(qsizetype(n - 1) * kLength, kLength));
            if (rec.description.trimmed() != item.description.trimmed())
                continue;
            const int before = rec.onHand;
            rec.onHand = std::int16_t(std::clamp(before - item.units, 0, 32767));
            taken[i] = before - rec.onHand;
            changed.insert(n, rec);
            break;
        }
    }
    for (auto it = changed.cbegin(); it != changed.cend(); ++it)
        tx.writeAt(kItemsFile, qint64(it.key() - 1) * kLength, it.value().encode());
    return taken;
}

} // namespace catalog
