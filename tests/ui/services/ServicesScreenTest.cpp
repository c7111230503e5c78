// The services screen driven offscreen through its commands and boxes.
#include "ui/services/ServicesScreen.h"

#include "support/ScreenHost.h"
#include "ui/widgets/RowGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace base;
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
    QString serviceCell(int row, int column) { return child<QTableWidget>("fgServices")->item(row, column)->text(); }
    QString itemCell(int row, int column) { return child<QTableWidget>("fgItems")->item(row, column)->text(); }
    size_t serviceCount() { return size_t(child<QTableWidget>("fgServices")->rowCount()); }
    size_t itemCount() { return size_t(child<QTableWidget>("fgItems")->rowCount()); }
    QPushButton *cmd(int i) { return child<QPushButton>(QStringLiteral("cmdServices_%1").arg(i).toLatin1().constData()); }
    void addService(const char *description, const char *charge, int timeRow = -1)
    {
        cmd(1)->click();
        child("txtDescription_0")->setText(QString::fromLatin1(description));
        child("txtCharge_0")->setText(QString::fromLatin1(charge));
        if (timeRow >= 0)
            child<QListWidget>("lstTime")->setCurrentRow(timeRow);
        cmd(4)->click();
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
    h.clickRow(h.child<QTableWidget>("fgServices"), 1);
    h.cmd(3)->click();
    EXPECT_EQ(h.child("txtDescription_0")->text(), QStringLiteral("Weekly Mowing"));
    EXPECT_EQ(h.child<QListWidget>("lstTime")->currentItem()->text(), QStringLiteral("0:15"));
    EXPECT_FALSE(grid->isEnabled());
    h.child("txtCharge_0")->setText(QStringLiteral("40.5"));
    h.cmd(4)->click();
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_EQ(h.serviceCell(1, 1), QStringLiteral("$40.50"));
    EXPECT_EQ(h.serviceCount(), 2u);
}

TEST(ServicesScreen, RequiredServiceFieldsAndTheChargeWidth)
{
    Harness h;
    h.open();
    h.addService("", "10");
    EXPECT_EQ(h.folder.prompt.beeps, 1);
    h.child("txtDescription_0")->setText(QStringLiteral("Mowing"));
    h.child("txtCharge_0")->clear();
    h.cmd(4)->click();
    EXPECT_EQ(h.folder.prompt.beeps, 2);
    EXPECT_EQ(h.serviceCount(), 0u);

    // $100,000.00 is eleven characters: refused, not cut to another amount.
    h.child("txtCharge_0")->setText(QStringLiteral("100000"));
    h.cmd(4)->click();
    ASSERT_EQ(h.folder.prompt.entries.size(), 1);
    EXPECT_EQ(h.folder.prompt.entries[0].title, QStringLiteral("Charge Too Large"));
    EXPECT_EQ(h.serviceCount(), 0u);
    h.child("txtCharge_0")->setText(QStringLiteral("99999.99"));
    h.cmd(4)->click();
    ASSERT_EQ(h.serviceCount(), 1u);
    EXPECT_EQ(h.serviceCell(0, 1), QStringLiteral("$99,999.99"));

    // Leaving the charge box with text that is no amount puts zero back.
    h.cmd(1)->click();
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
    h.cmd(8)->click();
    h.fillItem("Fertilizer", "Lawn", "24.99", "abc");
    h.cmd(13)->click();
    EXPECT_EQ(h.child("txtOnHand")->text(), QStringLiteral("0"));
    EXPECT_TRUE(h.itemCount() == 0);
    h.cmd(13)->click();
    ASSERT_EQ(h.itemCount(), 1u);
    EXPECT_EQ(h.itemCell(0, 4), QStringLiteral("0"));
    EXPECT_EQ(h.itemCell(0, 2), QStringLiteral("$0.00")); // an empty cost is zero
    EXPECT_EQ(h.itemCell(0, 3), QStringLiteral("$24.99"));
    EXPECT_TRUE(h.child<QComboBox>("cboCategory")->currentText().isEmpty()); // cleared after the save
    EXPECT_EQ(h.child<QComboBox>("cboCategory")->count(), 1);
}

TEST(ServicesScreen, StockBoxesRefuseWhatIsNotANumber)
{
    struct Case {
        const char *box, *text;
    } cases[] = {{"txtCost", "abc"}, {"txtOnHand", "99999"}}; // each box's range: CatalogRules tests
    for (const Case &c : cases) {
        Harness h;
        h.open();
        h.cmd(8)->click();
        h.fillItem("Seed", "Lawn", "5", "3");
        auto *box = h.child(c.box);
        box->setText(QString::fromLatin1(c.text));
        h.leave(box);
        ASSERT_EQ(h.folder.prompt.entries.size(), 1) << c.box;
        EXPECT_EQ(h.folder.prompt.entries[0].title, QStringLiteral("Invalid Number")) << c.box;
        EXPECT_TRUE(h.folder.prompt.entries[0].text.contains(QString::fromLatin1(c.text))) << c.box;
        EXPECT_EQ(box->text(), QString::fromLatin1(c.text)) << c.box; // kept for the user to correct
        h.cmd(13)->click();
        EXPECT_TRUE(h.itemCount() == 0) << c.box;
    }
}

TEST(ServicesScreen, DiscountPriceDefaultsToTheSellPrice)
{
    Harness h;
    h.open();
    h.cmd(8)->click();
    h.fillItem("Chlorine", "Pool", "12.5", "10");
    auto *discount = h.child("txtCharge_2");
    discount->clear();
    h.leave(discount);
    EXPECT_EQ(discount->text(), QStringLiteral("$12.50"));
    h.leave(h.child("txtDiscountQty"));
    EXPECT_EQ(h.child("txtDiscountQty")->text(), QStringLiteral("0"));
    h.child<QCheckBox>("ckClearItem")->setChecked(true);
    h.cmd(13)->click();
    ASSERT_EQ(h.itemCount(), 1u);
    EXPECT_EQ(h.itemCell(0, 5), QStringLiteral("$12.50"));
    EXPECT_EQ(h.child<QComboBox>("cboCategory")->currentText(), QStringLiteral("Pool")); // kept when checked
    h.cmd(24)->click();
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
    ASSERT_EQ(h.itemCount(), 2u);
    EXPECT_FALSE(h.cmd(10)->isEnabled());
    h.clickRow(h.child<QTableWidget>("fgItems"), 1);
    EXPECT_TRUE(h.cmd(10)->isEnabled());

    h.folder.prompt.answer(false);
    h.cmd(10)->click();
    EXPECT_EQ(h.said().text, QStringLiteral("This will DELETE the Selected Sales Item"));
    EXPECT_EQ(h.said().title, QStringLiteral("Delete Sales Item"));
    EXPECT_EQ(h.folder.read(kItemsFile).size(), 208);

    h.folder.prompt.answer(true);
    h.cmd(10)->click();
    EXPECT_EQ(h.folder.read(kItemsFile).size(), 104); // written at once
    EXPECT_FALSE(h.cmd(10)->isEnabled());
    h.clickRow(h.child<QTableWidget>("fgItems"), 0);
    h.folder.prompt.answer(true);
    h.cmd(10)->click();
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
    h.clickRow(h.child<QTableWidget>("fgItems"), 0);
    h.cmd(9)->click();
    EXPECT_EQ(h.child("txtCharge_1")->text(), QStringLiteral("$5.00"));
    EXPECT_EQ(h.child("txtOnHand")->text(), QStringLiteral("7"));
    EXPECT_FALSE(h.child<QTableWidget>("fgItems")->isEnabled());
    h.child<QComboBox>("cboCategory")->setEditText(QStringLiteral("Garden"));
    h.cmd(13)->click();
    auto *categories = h.child<QComboBox>("cboCategory");
    ASSERT_EQ(categories->count(), 2);
    EXPECT_EQ(categories->itemText(0), QStringLiteral("Lawn"));
    EXPECT_EQ(categories->itemText(1), QStringLiteral("Garden"));
    ASSERT_EQ(h.itemCount(), 1u);
    EXPECT_EQ(h.itemCell(0, 1), QStringLiteral("Garden"));
    EXPECT_EQ(h.itemCell(0, 4), QStringLiteral("7"));
}

TEST(ServicesScreen, LaborRates)
{
    Harness h;
    h.open();
    EXPECT_EQ(h.child("txtLabor_0")->text(), QStringLiteral("General Labor"));
    EXPECT_EQ(h.child("txtLaborRate_1")->text(), QStringLiteral("$0.00"));
    EXPECT_FALSE(h.cmd(16)->isEnabled()); // nothing on file to reload
    h.cmd(12)->click();
    EXPECT_TRUE(h.child("txtLaborRate_0")->text().isEmpty());
    h.child("txtLaborRate_0")->setText(QStringLiteral("45"));
    h.child("txtLabor_1")->setText(QStringLiteral("Pool Service"));
    h.cmd(17)->click();
    EXPECT_EQ(h.folder.read(kLaborFile), QByteArray("\"General Labor\",\"45\"\r\n\"Pool Service\",\"\"\r\n\"\",\"\"\r\n"));
    EXPECT_TRUE(h.cmd(16)->isEnabled());
    EXPECT_EQ(h.child<QTabWidget>("tabServices")->currentIndex(), int(ServicesScreen::ItemsTab));
    h.cmd(15)->click();
    EXPECT_TRUE(h.child("txtLabor_0")->text().isEmpty());
    h.cmd(16)->click();
    EXPECT_EQ(h.child("txtLabor_1")->text(), QStringLiteral("Pool Service"));
}


TEST(ServicesScreen, CommandsActOnTheRowChosenWithTheKeyboard)
{
    Harness h;
    ServiceRecord hedge{QStringLiteral("Hedge Trimming"), QStringLiteral("$50.00"), 4};
    ServiceRecord lawn{QStringLiteral("Lawn Mowing"), QStringLiteral("$35.00"), 2};
    h.folder.write(kServicesFile, hedge.encode() + lawn.encode());
    h.open();
    auto *grid = h.child<QTableWidget>("fgServices");
    ASSERT_NE(labelOf(h.screen, h.child<QComboBox>("cboCategory")), nullptr); // the list is heard by its label
    h.clickRow(grid, 0);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down); // Lawn Mowing is now the highlighted row
    h.cmd(3)->click();
    EXPECT_EQ(h.child("txtDescription_0")->text(), QStringLiteral("Lawn Mowing"));
    h.cmd(7)->click();
    h.folder.prompt.answer(true);
    h.cmd(2)->click();
    EXPECT_EQ(h.folder.read(kServicesFile), hedge.encode());
}

TEST(ServicesScreen, ARefusedChargePriceOrDescriptionIsNotSaved)
{
    Harness h;
    h.open();
    h.cmd(1)->click();
    h.child("txtDescription_0")->setText(QStringLiteral("Mowing"));
    auto *charge = h.child("txtCharge_0");
    charge->setText(QStringLiteral("abc"));
    h.leave(charge); // the beep and the zero
    EXPECT_EQ(charge->text(), QStringLiteral("$0.00"));
    h.cmd(4)->click();
    EXPECT_EQ(h.said().title, QStringLiteral("Invalid Charge"));
    EXPECT_EQ(h.said().text,
              QStringLiteral("The charge \"abc\" is not an amount of money.\nEnter the charge as an amount, such as 25.00."));
    EXPECT_EQ(h.serviceCount(), 0u);
    charge->setText(QStringLiteral("0")); // a zero typed on purpose is kept
    h.cmd(4)->click();
    EXPECT_EQ(h.serviceCount(), 1u);

    h.cmd(8)->click();
    h.fillItem("Seed", "Lawn", "5", "3");
    auto *price = h.child("txtCharge_1");
    price->setText(QStringLiteral("abc"));
    h.leave(price);
    h.cmd(13)->click();
    EXPECT_EQ(h.said().text.left(30), QStringLiteral("The sell price \"abc\" is not an"));
    EXPECT_EQ(h.itemCount(), 0u);

    // A description the balance would count as a payment is refused too.
    h.addService("Payment Plan Setup", "25");
    EXPECT_EQ(h.said().text, QStringLiteral("\"Payment Plan Setup\" would be counted as a payment or credit in the account's "
                                            "balance; choose another description."));
    EXPECT_EQ(h.serviceCount(), 1u);
}
