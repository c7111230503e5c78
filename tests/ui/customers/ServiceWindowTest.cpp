// The customer screen's service window and data boxes, driven offscreen.
#include "customers/BillingOptions.h"
#include "support/CustomerHarness.h"
#include "ui/customers/AuxDataFrame.h"
#include "ui/customers/ServiceWindow.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace base;
using namespace customers;
using namespace catalog;
using namespace ui;

using namespace customertest;

namespace {

// Three services in the catalogue: Aeration $120, Mowing $35, Pool Care $80.
void writeServices(Harness &h)
{
    std::vector<ServiceRow> rows = {{QStringLiteral("Mowing"), QStringLiteral("$35.00"), QStringLiteral("1:00")},
                                    {QStringLiteral("Aeration"), QStringLiteral("$120.00"), QStringLiteral("1:30")},
                                    {QStringLiteral("Pool Care"), QStringLiteral("$80.00"), QStringLiteral("1:00")}};
    ASSERT_TRUE(h.folder.context().catalog.save(h.folder.store(), rows, {}));
}

void writeCycles(Harness &h, const std::vector<CycleRecord> &cycles)
{
    QByteArray file;
    for (const CycleRecord &c : cycles)
        file += c.encode();
    h.folder.write(kCycleFile, file);
}

CycleRecord cycle(const char *service, qint64 cents, int mode, int month = 0)
{
    CycleRecord c;
    c.service = QString::fromLatin1(service);
    c.charge = Money::fromCents(cents);
    c.billingMode = std::int16_t(mode);
    c.startMonth = std::int16_t(month);
    return c;
}

struct Window {
    explicit Window(Harness &h) : h(h) {}
    QComboBox *service() { return h.child<QComboBox>("cboServiceLevel"); }
    QComboBox *cost() { return h.child<QComboBox>("cboCost"); }
    QListWidget *mode() { return h.child<QListWidget>("lstBillingMode"); }
    QWidget *frame() { return h.child("fraService"); }
    QLabel *label(int i) { return h.child<QLabel>(QStringLiteral("Label2_%1").arg(i).toLatin1().constData()); }
    QCheckBox *check(const char *name) { return h.child<QCheckBox>(name); }
    ServiceWindow *window() { return static_cast<ServiceWindow *>(frame()); }
    Harness &h;
};

} // namespace

TEST(ServiceWindow, AnAccountWithoutServiceLoadsHidden)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("Acme"))});
    writeServices(h);
    h.open();
    Window w(h);
    EXPECT_EQ(w.service()->currentText(), QStringLiteral("None"));
    EXPECT_EQ(w.cost()->currentText(), QStringLiteral("$0.00"));
    EXPECT_EQ(w.mode()->currentItem()->text(), QStringLiteral("None"));
    EXPECT_TRUE(w.label(12)->isVisibleTo(w.frame()));
    EXPECT_FALSE(w.label(10)->isVisibleTo(w.frame()));
    EXPECT_FALSE(w.frame()->isVisibleTo(h.screen));
    // The lists are named by their labels.
    EXPECT_EQ(labelOf(h.screen, w.service())->text(), QStringLiteral("Service"));
    EXPECT_EQ(labelOf(h.screen, w.cost())->text(), QStringLiteral("Charges"));
}

TEST(ServiceWindow, AutoFindPicksThePartnerOnlyInMonthlyMode)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("Acme"))});
    writeServices(h);
    writeCycles(h, {cycle("Mowing", 3500, customers::Monthly)});
    h.open();
    Window w(h);
    EXPECT_TRUE(w.frame()->isVisibleTo(h.screen)); // a service was found
    EXPECT_EQ(w.label(10)->text(), QStringLiteral("This Amount will be charged every Month"));
    w.window()->chooseService(3);
    EXPECT_EQ(w.service()->currentText(), QStringLiteral("Pool Care"));
    EXPECT_EQ(w.cost()->currentText(), QStringLiteral("$80.00"));
    w.window()->chooseCost(1);
    EXPECT_EQ(w.service()->currentText(), QStringLiteral("Aeration"));

    w.window()->chooseMode(customers::Quarterly);
    w.window()->chooseService(2);
    EXPECT_EQ(w.cost()->currentText(), QStringLiteral("$120.00")); // left alone
    w.window()->chooseMode(customers::SemiAnnual);
    EXPECT_EQ(w.label(10)->text(), QStringLiteral("This Amount will be charged Semi-Annually"));

    // Auto Find off: the warning labels instead of the charge text.
    w.check("ckAutoFind")->click();
    EXPECT_TRUE(w.label(9)->isVisibleTo(w.frame()));
    EXPECT_TRUE(w.label(1)->isVisibleTo(w.frame()));
    EXPECT_FALSE(w.label(10)->isVisibleTo(w.frame()));
    // Display-from-service switches Auto Find with it.
    w.check("ckLoadDefault")->click();
    EXPECT_FALSE(w.check("ckAutoFind")->isChecked());
    w.check("ckLoadDefault")->click();
    EXPECT_TRUE(w.check("ckAutoFind")->isChecked());
}

TEST(ServiceWindow, PresetFeeShownThenSavedAndTypedChargesJoinTheList)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("Acme")), business(QStringLiteral("B2"), QStringLiteral("Beta"))});
    writeServices(h);
    writeCycles(h, {cycle("Mowing", 4000, customers::Annual, 5), cycle("Mowing", 4000, customers::Annual, 5)});
    h.open();
    Window w(h);
    EXPECT_EQ(w.cost()->currentText(), QStringLiteral("$35.00")); // the preset fee, not the stored $40.00
    ASSERT_TRUE(h.screen->saveCustomer());
    AccountStore store(h.folder.store(), h.folder.clock, usLocale());
    EXPECT_EQ(store.readCycle(1).charge, Money::fromCents(3500));
    EXPECT_EQ(store.readCycle(1).billingMode, 3);
    EXPECT_EQ(store.readCycle(1).startMonth, 5);

    // A typed charge not in the list is saved and joins the cost list.
    w.cost()->setEditText(QStringLiteral("42.5"));
    ASSERT_TRUE(h.screen->saveCustomer());
    EXPECT_EQ(store.readCycle(1).charge, Money::fromCents(4250));
    EXPECT_EQ(w.cost()->count(), 5);
    EXPECT_EQ(w.cost()->itemText(4), QStringLiteral("$42.50"));

    // A charge that is no amount: refused, nothing written, navigation stops.
    w.cost()->setEditText(QStringLiteral("forty"));
    h.box(1)->setText(QStringLiteral("Renamed"));
    h.click("cmdNav_2");
    EXPECT_EQ(h.screen->currentRecord(), 1);
    EXPECT_EQ(h.folder.prompt.entries.last().title, QStringLiteral("Invalid Charge"));
    EXPECT_EQ(h.stored(1).name, QStringLiteral("Acme"));
    EXPECT_EQ(store.readCycle(1).charge, Money::fromCents(4250));
}

TEST(ServiceWindow, RememberedOptionsAndTheToggle)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("Acme"))});
    h.folder.write(kServiceOptionsFile, "0,1,1\r\n");
    h.open();
    Window w(h);
    EXPECT_FALSE(w.check("ckAutoFind")->isChecked());
    EXPECT_TRUE(w.check("ckLoadDefault")->isChecked());
    EXPECT_TRUE(w.check("ckShowService")->isChecked());
    w.check("ckShowService")->click(); // kept at once
    EXPECT_EQ(h.folder.read(kServiceOptionsFile), QByteArray("0,1,0\r\n"));
    w.check("ckShowService")->setChecked(true); // not a click: kept when the screen is left
    h.navigator->show(ScreenId::MainMenu);
    EXPECT_EQ(h.folder.read(kServiceOptionsFile), QByteArray("0,1,1\r\n"));

    h.open();
    h.action("mnuToggle")->trigger();
    QCoreApplication::processEvents(); // menu commands run queued
    EXPECT_TRUE(w.frame()->isVisibleTo(h.screen));
    h.action("mnuAux")->trigger(); // the data boxes take its place
    QCoreApplication::processEvents(); // menu commands run queued
    EXPECT_FALSE(w.frame()->isVisibleTo(h.screen));
    EXPECT_TRUE(h.child("fraAux")->isVisibleTo(h.screen));
    h.child<QPushButton>("cmdCustomer_4")->click();
    EXPECT_FALSE(h.child("fraAux")->isVisibleTo(h.screen));
    h.child<QPushButton>("cmdCustomer_3")->click();
    EXPECT_FALSE(w.frame()->isVisibleTo(h.screen));
}

TEST(ServiceWindow, SetAllGivesEveryAccountTheShownOptions)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("Acme")), person(QStringLiteral("P1"), QStringLiteral("Ann"),
                                                                                QStringLiteral("Lee")),
               business(QStringLiteral("B3"), QStringLiteral("Pools"))});
    writeServices(h);
    h.open();
    Window w(h);
    h.click("cmdNav_2"); // from record 2
    w.window()->chooseService(2);
    w.cost()->setEditText(QStringLiteral("$99.00"));
    h.child<QLineEdit>("txtFor")->setText(QStringLiteral("Unit # 7"));
    w.window()->chooseMode(customers::Quarterly);
    h.child<QComboBox>("cboMonth")->setCurrentIndex(8);

    AccountStore store(h.folder.store(), h.folder.clock, usLocale());
    const QByteArray before = h.folder.read(kCycleFile);
    h.folder.prompt.answer(false);
    h.child<QPushButton>("cmdCustomer_2")->click();
    EXPECT_EQ(h.folder.prompt.entries.last().title, QStringLiteral("Set All Services Equal"));
    EXPECT_EQ(h.folder.read(kCycleFile), before); // No changes nothing

    h.folder.prompt.answer(true);
    h.child<QPushButton>("cmdCustomer_2")->click();
    CycleRecord expected;
    expected.service = QStringLiteral("Mowing");
    expected.charge = Money::fromCents(9900);
    expected.billingMode = 1;
    expected.chargeFor = QStringLiteral("Unit # 7");
    expected.startMonth = 8;
    EXPECT_EQ(h.folder.read(kCycleFile), expected.encode().repeated(3));
    EXPECT_EQ(h.screen->currentRecord(), 1);
    EXPECT_EQ(h.folder.prompt.entries.size(), 2); // the two questions, no other message

    // An account that cannot be saved stops the pass and is shown.
    h.folder.write(kCustomerFile, business(QStringLiteral("B1"), QStringLiteral("Acme")).encode()
                                      + business(QStringLiteral("B2"), QString()).encode()
                                      + business(QStringLiteral("B3"), QStringLiteral("Pools")).encode());
    w.cost()->setEditText(QStringLiteral("$10.00"));
    h.folder.prompt.answer(true);
    h.child<QPushButton>("cmdCustomer_2")->click();
    EXPECT_EQ(h.screen->currentRecord(), 2);
    EXPECT_TRUE(h.folder.prompt.entries.last().text.startsWith(QStringLiteral("Set All stopped at record 2")));
    EXPECT_EQ(store.readCycle(2).charge, Money::fromCents(9900));
}

TEST(DataBoxes, SavedPerAccountRetainedAndEditedInTheBigWindow)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("Acme")), business(QStringLiteral("B2"), QStringLiteral("Beta"))});
    h.folder.write(kAuxHeadingsFile, "Gate\r\nPets\r\nKeys\r\n");
    h.open();
    auto *aux = static_cast<AuxDataFrame *>(h.child("fraAux"));
    EXPECT_EQ(aux->title(), QStringLiteral("Data for Acme"));
    EXPECT_EQ(h.child<QLineEdit>("txtHeading_3")->text(), QStringLiteral("Heading #4")); // fewer lines on file
    // A box is named by its heading for a screen reader.
    EXPECT_EQ(h.child<QPlainTextEdit>("txtAux_1")->accessibleName(), QStringLiteral("Pets"));
    h.action("mnuAux")->trigger();
    QCoreApplication::processEvents(); // menu commands run queued
    EXPECT_EQ(h.child<QLabel>("lblAccount")->text(), QStringLiteral("Acme"));

    auto *box0 = h.child<QPlainTextEdit>("txtAux_0");
    box0->setPlainText(QStringLiteral("Code 12, ring twice"));
    h.child<QPlainTextEdit>("txtAux_2")->setPlainText(QStringLiteral("under the mat"));
    h.child<QPushButton>("cmdSaveAux_7")->click(); // save, then the next account
    EXPECT_EQ(h.screen->currentRecord(), 2);
    EXPECT_TRUE(box0->toPlainText().isEmpty());
    h.child<QPushButton>("cmdSaveAux_7")->click(); // the last: saves and stays
    EXPECT_EQ(h.screen->currentRecord(), 2);
    h.child<QPushButton>("cmdSaveAux_8")->click();
    EXPECT_EQ(box0->toPlainText(), QStringLiteral("Code 12, ring twice")); // as typed, comma and all

    // RETAIN carries the boxes to the next account; Close writes them there.
    h.child<QCheckBox>("ckSaveAux")->setChecked(true);
    h.click("cmdNav_2");
    EXPECT_EQ(box0->toPlainText(), QStringLiteral("Code 12, ring twice"));
    h.child<QPushButton>("cmdSaveAux_2")->click();
    EXPECT_EQ(h.folder.read(QStringLiteral("/AuxFiles/B2/AuxFile2/Data.txt")), QByteArray("under the mat\r\n"));
    EXPECT_FALSE(aux->isVisibleTo(h.screen));

    // The big window, with its caption and its three commands.
    aux->editBox(2);
    EXPECT_EQ(aux->editingCaption(), QStringLiteral("Editing Data Box # 3 - Keys - for Beta"));
    auto *big = h.child<QPlainTextEdit>("txtBig");
    EXPECT_EQ(big->toPlainText(), QStringLiteral("under the mat"));
    h.child<QPushButton>("cmdSaveAux_5")->click();
    EXPECT_TRUE(big->toPlainText().isEmpty());
    h.child<QPushButton>("cmdSaveAux_6")->click();
    EXPECT_EQ(big->toPlainText(), QStringLiteral("under the mat"));
    big->setPlainText(QStringLiteral("in the shed"));
    h.child<QPushButton>("cmdSaveAux_4")->click();
    EXPECT_EQ(h.child<QPlainTextEdit>("txtAux_2")->toPlainText(), QStringLiteral("in the shed"));

    aux->clearHeading(1);
    h.child<QPushButton>("cmdSaveAux_0")->click();
    EXPECT_EQ(h.folder.read(kAuxHeadingsFile), QByteArray("Gate\r\n\r\nKeys\r\nHeading #4\r\nHeading #5\r\nHeading #6\r\n"));
}

TEST(ServiceWindow, AFrequencyOrOptionChosenWithoutTheMouseIsTaken)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("Acme"))});
    writeCycles(h, {cycle("Mowing", 3500, 0)});
    h.open();
    Window w(h);
    w.mode()->setFocus();
    QTest::keyClick(w.mode(), Qt::Key_Down); // Quarterly, with the arrow key
    EXPECT_EQ(w.label(10)->text(), customers::chargeText(1));
    w.mode()->item(2)->setSelected(true); // Semi-Annual, as a screen reader selects it
    EXPECT_EQ(w.label(10)->text(), customers::chargeText(2));
    w.check("ckAutoFind")->setChecked(false); // not a click
    EXPECT_TRUE(w.label(9)->isVisibleTo(w.frame()));
    EXPECT_EQ(h.folder.read(kServiceOptionsFile).left(1), QByteArray("0"));
    h.click("cmdNav_0");
    EXPECT_EQ(CycleRecord::decode(h.folder.read(kCycleFile)).billingMode, 2);
}
