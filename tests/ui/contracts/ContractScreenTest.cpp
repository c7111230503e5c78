// The contract screen as a user works it: the shipped template built into
// a contract for the chosen customer (a listed service, quarterly, one
// year, renewing), saved as rich text that reads back filled in, saved as
// PDF; the replace question; a missing template; a price that does not read.
#include "catalog/Catalog.h"
#include "contracts/Contract.h"
#include "contracts/Rtf.h"
#include "customers/Records.h"
#include "support/BusinessFolder.h"
#include "support/PdfPrinters.h"
#include "support/ScreenHost.h"
#include "ui/contracts/ContractScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextDocument>

using namespace ui;

namespace {

struct Harness : ScreenHost<ContractScreen> {
    QString pdfPath;
    BusinessFolder business;
    explicit Harness(bool withTemplate = true)
    {
        business = fillBusiness(folder);
        if (withTemplate) {
            QFile shipped(QCoreApplication::applicationDirPath() + contracts::kTemplateFile);
            EXPECT_TRUE(shipped.open(QIODevice::ReadOnly)) << "the shipped template";
            folder.write(contracts::kTemplateFile, shipped.readAll());
        }
        folder.clock.at = QDateTime(QDate(2026, 3, 15), QTime(9, 0));
        pdfPath = folder.path() + QStringLiteral("/contract.pdf");
        screen = new ContractScreen(folder.context(), *navigator, [this](QWidget *) { return pdfPath; });
        navigator->add(ContractScreen::kId, screen);
        navigator->show(ContractScreen::kId, Routine::Contract, 2); // Ann Lee, an individual
        window.show();
    }
    void press(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
};

} // namespace

TEST(ContractScreen, ABuiltContractIsSavedFilledInAndReadsBack)
{
    Harness h;
    EXPECT_EQ(h.child<QLabel>("lblCustomerName")->text(), QStringLiteral("Ann Lee"));
    EXPECT_FALSE(h.child<QPushButton>("cmdAddServicetoBody")->isEnabled());
    h.press("cmdGeneric");
    ASSERT_TRUE(h.child<QPushButton>("cmdAddServicetoBody")->isEnabled());
    // Twelve services: the two lists move together, whichever is chosen.
    QComboBox *services = h.child<QComboBox>("cboServices");
    QComboBox *prices = h.child<QComboBox>("cboPrices");
    ASSERT_EQ(services->count(), 12);
    ASSERT_EQ(prices->count(), 12);
    services->setCurrentIndex(services->findText(QStringLiteral("Tree Pruning")));
    EXPECT_EQ(prices->currentText(), QStringLiteral("$150.00"));
    prices->setCurrentIndex(prices->findText(QStringLiteral("$120.00")));
    EXPECT_EQ(services->currentText(), QStringLiteral("Pool Care"));
    h.child<QListWidget>("lstFrequency")->setCurrentRow(1);
    h.child<QCheckBox>("ckRenew")->setChecked(true);
    h.press("cmdAddServicetoBody");
    EXPECT_EQ(h.folder.prompt.entries.last().title, QStringLiteral("Contract Created"));
    EXPECT_TRUE(h.folder.prompt.entries.last().text.contains(h.folder.path())) << "the real folder is named";

    QTextDocument saved;
    ASSERT_TRUE(contracts::readRtf(h.folder.read(QStringLiteral("/Templates/Contracts/Contract - 1002.rtf")), saved));
    const QString text = saved.toPlainText();
    for (const char *value : {"Hilltop Lawn and Garden", "Ann Lee", "Pool Care - $120.00", "Quarterly", "at $120.00",
                              "runs for 1 Year, commencing on 3/15/2026 and ending on 3/15/2027",
                              "will automatically Renew", "Agreement made on 3/15/2026", "12 Main Street",
                              "Springfield, IL 62704", "Dayton, OH 45402"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(value))) << value << "\n" << text.toStdString();
    for (const char *placeholder : {"CONTRACTORNAME", "UNDERSIGNEDCUSTOMER", "CREATIONDATE", "TERMINATIONS", "COMMENCING",
                                    "FREQUENCY", "COST", "RENEWS", "CONTRACTORADDRESS", "CUSTOMERADDRESS",
                                    "(Insert Services and Prices Here)"})
        EXPECT_FALSE(text.contains(QString::fromLatin1(placeholder))) << placeholder;
    EXPECT_FALSE(h.child<QPushButton>("cmdAddServicetoBody")->isEnabled());

    h.press("cmdSavePdf");
    EXPECT_TRUE(PdfPrinters::textOf(h.pdfPath).contains(QStringLiteral("SERVICE AGREEMENT")));

    // A second contract for the account: the replace question; No keeps it.
    h.folder.prompt.answer(false);
    h.press("cmdGeneric");
    EXPECT_EQ(h.folder.prompt.entries.last().title, QStringLiteral("Replace Existing Contract"));
    EXPECT_EQ(h.navigator->current(), h.menu);
    EXPECT_TRUE(h.folder.exists(QStringLiteral("/Templates/Contracts/Contract - 1002.rtf")));
}

TEST(ContractScreen, AMissingTemplateAndATypedPriceThatDoesNotRead)
{
    Harness missing(false);
    missing.press("cmdGeneric");
    EXPECT_EQ(missing.folder.prompt.entries.last().text,
              QStringLiteral("The Generic Contract File could not be Found\nContact Pendrak for a Replacement"));
    EXPECT_EQ(missing.navigator->current(), missing.menu);

    Harness h;
    h.press("cmdGeneric");
    h.screen->findChild<QAction *>(QStringLiteral("mnuManual"))->trigger();
    h.child<QLineEdit>("txtService")->setText(QStringLiteral("Hedge trimming"));
    QLineEdit *price = h.child<QLineEdit>("txtPrice");
    price->setFocus();
    QTest::keyClicks(price, QStringLiteral("abc")); // the zero goes at the first key
    Harness::leave(price);                           // leaving: no number, so zero again
    EXPECT_EQ(price->text(), QStringLiteral("$0.00"));
    price->setText(QStringLiteral("lots"));
    h.press("cmdAddServicetoBody");
    EXPECT_EQ(h.folder.prompt.entries.last().title, QStringLiteral("Create Contract"));
    EXPECT_FALSE(h.folder.exists(QStringLiteral("/Templates/Contracts/Contract - 1002.rtf")));
    EXPECT_TRUE(sharedAccessibleNames(h.screen).isEmpty()) << sharedAccessibleNames(h.screen).join(u',').toStdString();
}

TEST(ContractScreen, OpenedAgainAfterTheCatalogueAndTheChosenCustomerChanged)
{
    Harness h;
    h.navigator->show(ScreenId::MainMenu);
    std::vector<catalog::ServiceRow> more = h.business.services;
    more.push_back({QStringLiteral("Zoysia Plugging"), QStringLiteral("$95.00"), QStringLiteral("1:00")});
    ASSERT_TRUE(h.folder.context().catalog.save(h.folder.store(), more, h.business.items));
    h.navigator->show(ContractScreen::kId, Routine::Contract, 5);
    QComboBox *services = h.child<QComboBox>("cboServices");
    ASSERT_EQ(services->count(), 13);
    services->setCurrentIndex(services->findText(QStringLiteral("Zoysia Plugging")));
    EXPECT_EQ(h.child<QComboBox>("cboPrices")->currentText(), QStringLiteral("$95.00"));
    EXPECT_EQ(h.child<QLabel>("lblCustomerName")->text(), QStringLiteral("Harbour View Ltd"));
}
