// The sample business read back with the program's own readers: every
// file whole, the customers of both kinds and both address styles on
// every frequency, the settings as made, ledgers owing, paid up and in
// credit, journals and completed invoices that agree, contracts that read.
#include "sample/SampleBusiness.h"

#include "billing/BillingRun.h"
#include "billing/CycleGrid.h"
#include "billing/PrintedRun.h"
#include "catalog/Catalog.h"
#include "contracts/Contract.h"
#include "contracts/Rtf.h"
#include "customers/AuxData.h"
#include "customers/Records.h"
#include "exchange/DataCheck.h"
#include "store/RecordFiles.h"
#include "ledger/Ledger.h"
#include "setup/SettingsFiles.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <set>

using namespace customers;

TEST(SampleBusiness, EveryFileReadsBackWithTheProgramsReaders)
{
    TestFolder folder;
    QFile rtf(QCoreApplication::applicationDirPath() + contracts::kTemplateFile);
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QDate today(2026, 3, 14);
    const sample::Made made = sample::makeSampleBusiness(folder.store(), today, rtf.readAll());
    ASSERT_TRUE(made.result.ok) << made.result.error.toStdString();
    EXPECT_TRUE(sample::isSample(folder.store()));
    EXPECT_EQ(made.customers, 60);
    // The data-folder check finds nothing in a folder the program wrote,
    // once the start has made every account's folders.
    QStringList accounts;
    for (const CustomerRecord &c : readAllRecords<CustomerRecord>(folder.store(), kCustomerFile))
        accounts << c.acctNo;
    ASSERT_TRUE(auxdata::makeAccountFolders(folder.store(), accounts, false).isEmpty());
    for (const exchange::Finding &f : exchange::checkDataFolder(folder.store(), usLocale()))
        ADD_FAILURE() << "the sample business checked: " << f.problem.toStdString();

    // Settings: USA style, colour, remittance paper, two taxes.
    setup::BusinessValues v = setup::BusinessValues::defaults(usLocale());
    setup::loadAll(folder.store(), v, usLocale());
    EXPECT_EQ(v.businessName, QStringLiteral("Greenfield Lawn and Garden"));
    EXPECT_EQ(v.addressStyle, setup::AddressStyle::USA);
    EXPECT_TRUE(v.printInColor);
    EXPECT_TRUE(v.useRemittanceForm);
    EXPECT_EQ(v.taxRate1, QStringLiteral("6.25"));
    EXPECT_EQ(v.apply2ndTax, 1);

    // The catalogue.
    catalog::Catalog cat(usLocale());
    cat.load(folder.store());
    EXPECT_EQ(cat.services().size(), 8u);
    EXPECT_EQ(cat.items().size(), 12u);
    const std::optional<catalog::LaborRates> labor = catalog::Catalog::loadLaborRates(folder.store());
    ASSERT_TRUE(labor);
    EXPECT_EQ((*labor)[2].heading, QStringLiteral("Holiday"));

    // Customers: whole records, both kinds, both styles, every frequency.
    const QByteArray customerBytes = folder.read(kCustomerFile);
    ASSERT_EQ(customerBytes.size(), 60 * CustomerRecord::kLength);
    ASSERT_EQ(folder.read(kCycleFile).size(), 60 * CycleRecord::kLength);
    ASSERT_EQ(folder.read(kContractFile).size(), 60 * ContractRecord::kLength);
    std::set<int> modes;
    int businesses = 0, abroad = 0;
    for (int i = 0; i < 60; ++i) {
        const CustomerRecord c = CustomerRecord::decode(customerBytes.mid(i * CustomerRecord::kLength, CustomerRecord::kLength));
        EXPECT_FALSE(c.displayName().trimmed().isEmpty()) << i;
        businesses += c.isBusiness();
        abroad += c.state.trimmed().isEmpty();
        modes.insert(CycleRecord::decode(folder.read(kCycleFile).mid(i * CycleRecord::kLength, CycleRecord::kLength)).billingMode);
    }
    EXPECT_EQ(businesses, 20);
    EXPECT_GE(abroad, 4);
    EXPECT_EQ(modes, (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(auxdata::loadBoxes(folder.store(), QStringLiteral("1001"))[3], QStringLiteral("Prefers service before noon"));

    // Ledgers: owing, paid up and in credit, each with its backup copy.
    const std::vector<ledger::OpenAccount> open = ledger::openAccounts(folder.store(), usLocale());
    EXPECT_GE(open.size(), 50u);
    int owing = 0, paidUp = 0, credit = 0;
    for (const ledger::OpenAccount &a : open) {
        EXPECT_EQ(a.balance.unreadable, 0) << a.acctNo.toStdString();
        EXPECT_EQ(folder.read(a.ledgerFile).size() % 155, 0);
        EXPECT_EQ(folder.read(ledger::backupFile(a.ledgerFile)), folder.read(a.ledgerFile)) << a.acctNo.toStdString();
        owing += a.balance.total.raw() > 0;
        paidUp += a.balance.total.isZero();
        credit += a.balance.total.raw() < 0;
    }
    EXPECT_GT(owing, 0);
    EXPECT_GT(paidUp, 0);
    EXPECT_GT(credit, 0);

    // Journals: whole records; every sales journal record has its completed invoice.
    const QByteArray journal = folder.read(billing::kSalesJournalFile);
    ASSERT_EQ(journal.size() % 125, 0);
    EXPECT_EQ(journal.size() / 125, made.invoices);
    for (qsizetype r = 0; r < journal.size() / 125; ++r) {
        const QString no = QString::fromLatin1(journal.mid(r * 125 + 65, 20).trimmed());
        EXPECT_TRUE(folder.exists(billing::completedInvoiceFile(no))) << no.toStdString();
    }
    EXPECT_EQ(folder.read(billing::kTaxRecordsFile).size() % billing::TaxRecord::kLength, 0);
    EXPECT_EQ(folder.read(ledger::kPaymentJournal).size(), qsizetype(made.payments) * 155);
    EXPECT_FALSE(folder.exists(store::kTransactionMarker));

    // Contracts for a few customers, each readable.
    const QStringList contractFiles =
        QDir(folder.path() + QStringLiteral("/Templates/Contracts")).entryList({QStringLiteral("Contract - *.rtf")});
    EXPECT_EQ(contractFiles.size(), 5);
    for (const QString &f : contractFiles) {
        QTextDocument d;
        ASSERT_TRUE(contracts::readRtf(folder.read(QStringLiteral("/Templates/Contracts/") + f), d)) << f.toStdString();
        EXPECT_TRUE(d.toPlainText().contains(QStringLiteral("Greenfield Lawn and Garden"))) << f.toStdString();
    }

    // This month's billing grid has accounts due.
    EXPECT_FALSE(billing::CycleGrid::load(folder.store(), billing::Monthly, 2, usLocale()).rows.empty());
}
