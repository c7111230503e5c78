// The services screen driven offscreen through its commands and boxes.
#include "ui/services/ServicesScreen.h"

#include "support/ScreenHost.h"
#include "ui/widgets/RowGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace store;
using namespace catalog;
using namespace ui;

namespace {

struct Harness : ScreenHost<ServicesScreen> {
    Harness() { EXPECT_TRUE(folder.store().makeFolder(kBackupFolder)); }
    // Loads the catalogue from the files written so far, as the program's
    // start does, then shows the screen.
    void open()
    {
        folder.context().catalog.load(folder.store());
        ScreenHost::open();
    }
    template <typename T = QLineEdit>
    T *child(const char *name)
    {
        return ScreenHost::child<T>(name);
    }
    QPushButton *cmd(int i) { return child<QPushButton>(QStringLiteral("cmdServices_%1").arg(i).toLatin1().constData()); }
    void addService(const char *description, const char *charge, int timeRow = -1)
    {
        screen->command(1);
        child("txtDescription_0")->setText(QString::fromLatin1(description));
        child("txtCharge_0")->setText(QString::fromLatin1(charge));
        if (timeRow >= 0)
            child<QListWidget>("lstTime")->setCurrentRow(timeRow);
        screen->command(4);
    }
    void fillItem(const char *description, const char *category, const char *price, const char *onHand)
    {
        child("txtDescription_1")->setText(QString::fromLatin1(description));
        child<QComboBox>("cboCategory")->setEditText(QString::fromLatin1(category));
        child("txtCharge_1")->setText(QString::fromLatin1(price));
        child("txtCharge_2")->setText(QString::fromLatin1(price));
        child("txtOnHand")->setText(QString::fromLatin1(onHand));
    }
};

} // namespace

TEST(ServicesScreen, ServicesAddedThenWrittenOnReturnToTheMenu)
{
    Harness h;
    h.open();
    EXPECT_EQ(h.screen->caption(), QStringLiteral("Services & Products Creation Screen"));
    EXPECT_EQ(h.child<QTabWidget>("tabServices")->currentIndex(), int(ServicesScreen::HelpTab));
    EXPECT_FALSE(h.cmd(4)->isEnabled()); // idle until Add New

    h.addService("Weekly Mowing", "35", 0); // no time chosen: 0:00
    h.addService("aeration", "$120", 6);
    EXPECT_TRUE(h.folder.prompt.entries.isEmpty());
    auto *grid = h.child<QTableWidget>("fgServices");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("$35.00"));
    EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("0:00"));
    EXPECT_FALSE(h.folder.exists(kServicesFile)); // nothing written yet

    h.cmd(0)->click();
    EXPECT_EQ(h.navigator->current(), h.menu);
    const QByteArray file = h.folder.read(kServicesFile);
    ASSERT_EQ(file.size(), 144);
    EXPECT_EQ(qFromLittleEndian<qint16>(file.constData() + 70), 0);
    // Loaded again in description order, case ignored, 0:00 shown as 0:15.
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("aeration"));
    EXPECT_EQ(grid->item(1, 2)->text(), QStringLiteral("0:15"));
    EXPECT_EQ(h.folder.context().catalog.serviceLevelList(),
              (QStringList{QStringLiteral("None"), QStringLiteral("aeration"), QStringLiteral("Weekly Mowing")}));

    // A second visit and return: every service once, the quarter hour now stored.
    h.navigator->show(ServicesScreen::kId);
    h.cmd(0)->click();
    EXPECT_EQ(h.folder.context().catalog.services().size(), 2u);
    EXPECT_EQ(qFromLittleEndian<qint16>(h.folder.read(kServicesFile).constData() + 72 + 70), 1);

    // Modify: the grid is locked until the save.
    h.screen->selectServiceRow(1);
    h.screen->command(3);
    EXPECT_EQ(h.child("txtDescription_0")->text(), QStringLiteral("Weekly Mowing"));
    EXPECT_EQ(h.child<QListWidget>("lstTime")->currentItem()->text(), QStringLiteral("0:15"));
    EXPECT_FALSE(grid->isEnabled());
    h.child("txtCharge_0")->setText(QStringLiteral("40.5"));
    h.screen->command(4);
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_EQ(h.screen->serviceRows()[1].charge, QStringLiteral("$40.50"));
    EXPECT_EQ(h.screen->serviceRows().size(), 2u);
}

TEST(ServicesScreen, RequiredServiceFieldsAndTheChargeWidth)
{
    Harness h;
    h.open();
    h.addService("", "10");
    EXPECT_EQ(h.folder.prompt.beeps, 1);
    h.child("txtDescription_0")->setText(QStringLiteral("Mowing"));
    h.child("txtCharge_0")->clear();
    h.screen->command(4);
    EXPECT_EQ(h.folder.prompt.beeps, 2);
    EXPECT_TRUE(h.screen->serviceRows().empty());

    // $100,000.00 is eleven characters: refused, not cut to another amount.
    h.child("txtCharge_0")->setText(QStringLiteral("100000"));
    h.screen->command(4);
    ASSERT_EQ(h.folder.prompt.entries.size(), 1);
    EXPECT_EQ(h.folder.prompt.entries[0].title, QStringLiteral("Charge Too Large"));
    EXPECT_TRUE(h.screen->serviceRows().empty());
    h.child("txtCharge_0")->setText(QStringLiteral("99999.99"));
    h.screen->command(4);
    ASSERT_EQ(h.screen->serviceRows().size(), 1u);
    EXPECT_EQ(h.screen->serviceRows()[0].charge, QStringLiteral("$99,999.99"));

    // Leaving the charge box with text that is no amount puts zero back.
    h.screen->command(1);
    auto *charge = h.child("txtCharge_0");
    charge->setText(QStringLiteral("ten"));
    h.leave(charge);
    EXPECT_EQ(charge->text(), QStringLiteral("$0.00"));
    QTest::keyClicks(charge, QStringLiteral("7"));
    EXPECT_EQ(charge->text(), QStringLiteral("7")); // the default zero goes with the first key
}

TEST(ServicesScreen, ItemOnHandMustBeANumber)
{
    Harness h;
    h.open();
    h.screen->command(8);
    h.fillItem("Fertilizer", "Lawn", "24.99", "abc");
    h.screen->command(13);
    EXPECT_EQ(h.child("txtOnHand")->text(), QStringLiteral("0"));
    EXPECT_TRUE(h.screen->itemRows().empty());
    h.screen->command(13);
    ASSERT_EQ(h.screen->itemRows().size(), 1u);
    const InventoriedItemRecord &i = h.screen->itemRows()[0];
    EXPECT_EQ(i.onHand, 0);
    EXPECT_EQ(i.cost, Money()); // an empty cost is zero
    EXPECT_EQ(i.price, Money::fromCents(2499));
    EXPECT_EQ(h.child<QTableWidget>("fgItems")->item(0, 2)->text(), QStringLiteral("$0.00"));
    EXPECT_TRUE(h.child<QComboBox>("cboCategory")->currentText().isEmpty()); // cleared after the save
    EXPECT_EQ(h.child<QComboBox>("cboCategory")->count(), 1);
}

TEST(ServicesScreen, StockBoxesRefuseWhatIsNotANumber)
{
    struct Case {
        const char *box, *text;
    } cases[] = {{"txtCost", "abc"}, {"txtDiscountQty", "lots"}, {"txtReorderAmount", "40000"}, {"txtReorderAt", "2.5"},
                 {"txtOnHand", "99999"}};
    for (const Case &c : cases) {
        Harness h;
        h.open();
        h.screen->command(8);
        h.fillItem("Seed", "Lawn", "5", "3");
        auto *box = h.child(c.box);
        box->setText(QString::fromLatin1(c.text));
        h.leave(box);
        ASSERT_EQ(h.folder.prompt.entries.size(), 1) << c.box;
        EXPECT_EQ(h.folder.prompt.entries[0].title, QStringLiteral("Invalid Number")) << c.box;
        EXPECT_TRUE(h.folder.prompt.entries[0].text.contains(QString::fromLatin1(c.text))) << c.box;
        EXPECT_EQ(box->text(), QString::fromLatin1(c.text)) << c.box; // kept for the user to correct
        h.screen->command(13);
        EXPECT_TRUE(h.screen->itemRows().empty()) << c.box;
    }
}

TEST(ServicesScreen, DiscountPriceDefaultsToTheSellPrice)
{
    Harness h;
    h.open();
    h.screen->command(8);
    h.fillItem("Chlorine", "Pool", "12.5", "10");
    auto *discount = h.child("txtCharge_2");
    discount->clear();
    h.leave(discount);
    EXPECT_EQ(discount->text(), QStringLiteral("$12.50"));
    h.leave(h.child("txtDiscountQty"));
    EXPECT_EQ(h.child("txtDiscountQty")->text(), QStringLiteral("0"));
    h.child<QCheckBox>("ckClearItem")->setChecked(true);
    h.screen->command(13);
    ASSERT_EQ(h.screen->itemRows().size(), 1u);
    EXPECT_EQ(h.screen->itemRows()[0].discountPrice, Money::fromCents(1250));
    EXPECT_EQ(h.child<QComboBox>("cboCategory")->currentText(), QStringLiteral("Pool")); // kept when checked
    h.screen->command(24);
    EXPECT_EQ(h.child("txtCharge_1")->text(), QStringLiteral("$0.00"));
}

TEST(ServicesScreen, DeletingAsksAndTheLastEntryTakesItsFile)
{
    Harness h;
    InventoriedItemRecord a, b;
    a.description = QStringLiteral("Seed");
    a.category = QStringLiteral("Lawn");
    b.description = QStringLiteral("Chlorine");
    b.category = QStringLiteral("Pool");
    h.folder.write(kItemsFile, a.encode() + b.encode());
    h.open();
    ASSERT_EQ(h.screen->itemRows().size(), 2u);
    EXPECT_FALSE(h.cmd(10)->isEnabled());
    h.screen->selectItemRow(1);
    EXPECT_TRUE(h.cmd(10)->isEnabled());

    h.folder.prompt.answer(false);
    h.screen->command(10);
    EXPECT_EQ(h.folder.prompt.entries.last().text, QStringLiteral("This will DELETE the Selected Sales Item"));
    EXPECT_EQ(h.folder.prompt.entries.last().title, QStringLiteral("Delete Sales Item"));
    EXPECT_EQ(h.folder.read(kItemsFile).size(), 208);

    h.folder.prompt.answer(true);
    h.screen->command(10);
    EXPECT_EQ(h.folder.read(kItemsFile).size(), 104); // written at once
    EXPECT_FALSE(h.cmd(10)->isEnabled());
    h.screen->selectItemRow(0);
    h.folder.prompt.answer(true);
    h.screen->command(10);
    EXPECT_FALSE(h.folder.exists(kItemsFile));
    EXPECT_EQ(h.child<QTableWidget>("fgItems")->rowCount(), 0);
    // The billing screen's list keeps what it had until the next load.
    EXPECT_EQ(h.folder.context().catalog.itemsInFileOrder().size(), 1u);
}

TEST(ServicesScreen, ModifyingAnItemAddsItsNewCategory)
{
    Harness h;
    InventoriedItemRecord a;
    a.description = QStringLiteral("Seed");
    a.category = QStringLiteral("Lawn");
    a.price = a.discountPrice = Money::fromCents(500);
    a.onHand = 7;
    h.folder.write(kItemsFile, a.encode());
    h.open();
    h.screen->selectItemRow(0);
    h.screen->command(9);
    EXPECT_EQ(h.child("txtCharge_1")->text(), QStringLiteral("$5.00"));
    EXPECT_EQ(h.child("txtOnHand")->text(), QStringLiteral("7"));
    EXPECT_FALSE(h.child<QTableWidget>("fgItems")->isEnabled());
    h.child<QComboBox>("cboCategory")->setEditText(QStringLiteral("Garden"));
    h.screen->command(13);
    auto *categories = h.child<QComboBox>("cboCategory");
    ASSERT_EQ(categories->count(), 2);
    EXPECT_EQ(categories->itemText(0), QStringLiteral("Lawn"));
    EXPECT_EQ(categories->itemText(1), QStringLiteral("Garden"));
    ASSERT_EQ(h.screen->itemRows().size(), 1u);
    EXPECT_EQ(h.screen->itemRows()[0].category, QStringLiteral("Garden"));
    EXPECT_EQ(h.screen->itemRows()[0].onHand, 7);
}

TEST(ServicesScreen, LaborRates)
{
    Harness h;
    h.open();
    EXPECT_EQ(h.child("txtLabor_0")->text(), QStringLiteral("General Labor"));
    EXPECT_EQ(h.child("txtLaborRate_1")->text(), QStringLiteral("$0.00"));
    EXPECT_FALSE(h.cmd(16)->isEnabled()); // nothing on file to reload
    h.screen->command(12);
    EXPECT_TRUE(h.child("txtLaborRate_0")->text().isEmpty());
    h.child("txtLaborRate_0")->setText(QStringLiteral("45"));
    h.child("txtLabor_1")->setText(QStringLiteral("Pool Service"));
    h.screen->command(17);
    EXPECT_EQ(h.folder.read(kLaborFile), QByteArray("\"General Labor\",\"45\"\r\n\"Pool Service\",\"\"\r\n\"\",\"\"\r\n"));
    EXPECT_TRUE(h.cmd(16)->isEnabled());
    EXPECT_EQ(h.child<QTabWidget>("tabServices")->currentIndex(), int(ServicesScreen::ItemsTab));
    h.screen->command(15);
    EXPECT_TRUE(h.child("txtLabor_0")->text().isEmpty());
    h.screen->command(16);
    EXPECT_EQ(h.child("txtLabor_1")->text(), QStringLiteral("Pool Service"));
}

