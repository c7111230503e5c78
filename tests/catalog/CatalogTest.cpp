// The catalogue's files byte for byte, the allotted-time rule, categories,
// load order and the labour file.
#include "catalog/Catalog.h"

#include "support/TestSupport.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace base;
using namespace catalog;

namespace {

QByteArray padded(const char *text, int width)
{
    return QByteArray(text).leftJustified(width, ' ', true);
}

InventoriedItemRecord item(const char *description, const char *category, qint64 priceCents = 100)
{
    InventoriedItemRecord i;
    i.description = QString::fromLatin1(description);
    i.category = QString::fromLatin1(category);
    i.price = Money::fromCents(priceCents);
    i.discountPrice = i.price;
    return i;
}

} // namespace

TEST(Catalog, RecordLayouts)
{
    const QByteArray s = ServiceRecord{QStringLiteral(" Weekly Mowing "), QStringLiteral("$1,234.50"), 6}.encode();
    ASSERT_EQ(s.size(), 72);
    EXPECT_EQ(s.mid(0, 60), padded("Weekly Mowing", 60));
    EXPECT_EQ(s.mid(60, 10), padded("$1,234.50", 10));
    EXPECT_EQ(qFromLittleEndian<qint16>(s.constData() + 70), 6);
    ASSERT_EQ(catalog::allotted::timeList().size(), 33);
    EXPECT_EQ(catalog::allotted::timeList()[32], QStringLiteral("8:00"));

    InventoriedItemRecord i;
    i.description = QStringLiteral("Fertilizer 20 lb");
    i.category = QStringLiteral("Lawn");
    i.cost = Money::fromCents(1250);
    i.price = Money::fromCents(2499);
    i.onHand = -4;
    i.discountPrice = Money::fromCents(2199);
    i.discountQty = 70000;
    i.reorderAmount = 12;
    i.reorderAt = 3;
    const QByteArray b = i.encode();
    ASSERT_EQ(b.size(), 104);
    EXPECT_EQ(b.mid(0, 50), padded("Fertilizer 20 lb", 50));
    EXPECT_EQ(b.mid(50, 20), padded("Lawn", 20));
    EXPECT_EQ(qFromLittleEndian<qint64>(b.constData() + 70), 125000);
    EXPECT_EQ(qFromLittleEndian<qint64>(b.constData() + 78), 249900);
    EXPECT_EQ(qFromLittleEndian<qint16>(b.constData() + 86), -4);
    EXPECT_EQ(qFromLittleEndian<qint64>(b.constData() + 88), 219900);
    EXPECT_EQ(qFromLittleEndian<qint32>(b.constData() + 96), 70000);
    EXPECT_EQ(qFromLittleEndian<qint16>(b.constData() + 100), 12);
    EXPECT_EQ(qFromLittleEndian<qint16>(b.constData() + 102), 3);
    EXPECT_EQ(InventoriedItemRecord::decode(b), i);
}

TEST(Catalog, CategoriesAreDistinctNonEmptyAndCaseSensitive)
{
    QStringList categories;
    for (const char *c : {"Lawn", "", "Pool", "Lawn", "lawn", "Pool"})
        addCategory(categories, QString::fromLatin1(c));
    EXPECT_EQ(categories, (QStringList{QStringLiteral("Lawn"), QStringLiteral("Pool"), QStringLiteral("lawn")}));
}

TEST(Catalog, SaveWritesCompactFilesAndLoadsThemInOrder)
{
    TestFolder folder;
    ASSERT_TRUE(folder.store().makeFolder(QStringLiteral("/Backup")));
    Catalog catalog(usLocale());
    const std::vector<ServiceRow> services = {
        {QStringLiteral("weekly Mowing"), QStringLiteral("$35.00"), QStringLiteral("0:00")},
        {QStringLiteral("Aeration"), QStringLiteral("$120.00"), QStringLiteral("1:30")},
        {QStringLiteral("Hedge Trim"), QStringLiteral("$1,250.00"), QStringLiteral("not a time")},
    };
    const std::vector<InventoriedItemRecord> items = {item("Seed", "Lawn"), item("Chlorine", "pool"), item("Mulch", "Garden"),
                                                     item("Edging", "")};
    ASSERT_TRUE(catalog.save(folder.store(), services, items));

    const QByteArray file = folder.read(kServicesFile);
    ASSERT_EQ(file.size(), 3 * 72);
    EXPECT_EQ(ServiceRecord::decode(file.mid(0, 72)).description, QStringLiteral("weekly Mowing")); // grid order
    EXPECT_EQ(qFromLittleEndian<qint16>(file.constData() + 70), 0);
    EXPECT_EQ(qFromLittleEndian<qint16>(file.constData() + 72 + 70), 6);
    EXPECT_EQ(qFromLittleEndian<qint16>(file.constData() + 144 + 70), 0); // a text not in the list
    EXPECT_EQ(folder.read(kItemsFile).size(), 4 * 104);

    // Loaded back: by description, case ignored; 0 shows as a quarter hour.
    ASSERT_EQ(catalog.services().size(), 3u);
    EXPECT_EQ(catalog.services()[0], (ServiceRow{QStringLiteral("Aeration"), QStringLiteral("$120.00"), QStringLiteral("1:30")}));
    EXPECT_EQ(catalog.services()[1].description, QStringLiteral("Hedge Trim"));
    EXPECT_EQ(catalog.services()[2].time, QStringLiteral("0:15"));
    EXPECT_EQ(catalog.serviceLevelList(), (QStringList{QStringLiteral("None"), QStringLiteral("Aeration"),
                                                       QStringLiteral("Hedge Trim"), QStringLiteral("weekly Mowing")}));
    EXPECT_EQ(catalog.costList(), (QStringList{QStringLiteral("$0.00"), QStringLiteral("$120.00"),
                                               QStringLiteral("$1,250.00"), QStringLiteral("$35.00")}));
    // Items by category for the services screen, file order for billing.
    QStringList byCategory, byFile;
    for (const InventoriedItemRecord &i : catalog.items())
        byCategory.append(i.description);
    for (const InventoriedItemRecord &i : catalog.itemsInFileOrder())
        byFile.append(i.description);
    EXPECT_EQ(byCategory, (QStringList{QStringLiteral("Edging"), QStringLiteral("Mulch"), QStringLiteral("Seed"),
                                       QStringLiteral("Chlorine")}));
    EXPECT_EQ(byFile, (QStringList{QStringLiteral("Seed"), QStringLiteral("Chlorine"), QStringLiteral("Mulch"),
                                   QStringLiteral("Edging")}));
    EXPECT_EQ(catalog.categories(), (QStringList{QStringLiteral("Lawn"), QStringLiteral("pool"), QStringLiteral("Garden")}));

    // Saving what was loaded writes index 1 for the quarter hour shown, and
    // saving twice leaves every service once.
    const std::vector<ServiceRow> loaded = catalog.services();
    ASSERT_TRUE(catalog.save(folder.store(), loaded, catalog.items()));
    ASSERT_TRUE(catalog.save(folder.store(), catalog.services(), catalog.items()));
    EXPECT_EQ(catalog.services(), loaded);
    EXPECT_EQ(catalog.serviceLevelList().size(), 4);
    const QByteArray again = folder.read(kServicesFile);
    EXPECT_EQ(qFromLittleEndian<qint16>(again.constData() + 144 + 70), 1);

    // An empty list deletes its file and its backup copy.
    folder.write(QStringLiteral("/Backup") + kItemsFile, "old");
    ASSERT_TRUE(catalog.save(folder.store(), catalog.services(), {}));
    EXPECT_FALSE(folder.exists(kItemsFile));
    EXPECT_FALSE(folder.exists(QStringLiteral("/Backup") + kItemsFile));
}

