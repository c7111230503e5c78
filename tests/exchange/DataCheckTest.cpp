// The data-folder check over a folder the program wrote itself (clean),
// then with damage planted by hand: each fault found with its file, each
// safe mend leaving that fault gone and no record lost.
#include "exchange/DataCheck.h"
#include "ledger/Ledger.h"
#include "customers/AuxData.h"
#include "setup/SettingsFiles.h"

#include "billing/RunFixture.h"
#include "support/ChangeHarness.h"

#include <gtest/gtest.h>

using namespace exchange;

TEST(DataCheck, ACleanFolderChecksCleanAndEachPlantedFaultIsFoundAndSafelyMended)
{
    TestFolder folder;
    writeAccounts(folder, 3);
    writeItems(folder);
    QByteArray contracts;
    for (int i = 0; i < 3; ++i)
        contracts += ContractRecord::defaults(folder.clock.at, usLocale()).encode();
    folder.write(kContractFile, contracts);
    RunOf run(folder, {{QStringLiteral("Chlorine"), 1, Money::fromCents(1000), Money::fromCents(1000)}});
    ASSERT_TRUE(run.post(folder, false, run.recorder()).result);
    ASSERT_TRUE(folder.store().makeFolders({customers::auxdata::kAuxFolder}));
    ASSERT_TRUE(customers::auxdata::makeAccountFolders(folder.store(), {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")}).isEmpty());
    setup::BusinessValues settings;
    settings.businessName = QStringLiteral("Blue Pools");
    settings.taxRate1 = QStringLiteral("7");
    ASSERT_TRUE(setup::saveAllSettings(folder.store(), settings));
    ASSERT_TRUE(setup::saveCallerId(folder.store(), settings));
    for (const Finding &f : checkDataFolder(folder.store(), usLocale()))
        ADD_FAILURE() << "a clean folder: " << f.problem.toStdString();

    const QString a1 = ledger::ledgerFile(QStringLiteral("A1")), a2 = ledger::ledgerFile(QStringLiteral("A2")),
                  a3 = ledger::ledgerFile(QStringLiteral("A3"));
    const QByteArray a1Whole = folder.read(a1);
    folder.write(billing::kTaxRecordsFile, folder.read(billing::kTaxRecordsFile) + "torn");
    folder.write(customers::kCycleFile, folder.read(customers::kCycleFile).left(2 * CycleRecord::kLength));
    folder.write(a1, a1Whole.left(155)); // lost its bill; the backup still has it
    QFile::remove(folder.path() + ledger::backupFile(a2));
    ledger::LedgerEntry odd = ledger::LedgerEntry::decode(folder.read(a3).mid(155, 155));
    odd.entryAmount = QStringLiteral("lots");
    folder.write(a3, folder.read(a3).left(155) + odd.encode());
    folder.write(ledger::backupFile(a3), folder.read(a3));
    QFile::remove(folder.path() + completedInvoiceFile(QStringLiteral("339-2")));
    folder.write(completedInvoiceFile(QStringLiteral("339-9")), "stray");
    folder.write(store::kTransactionFolder + QStringLiteral("/1.new"), "left");
    folder.write(QStringLiteral("/Services.txt.aB3xY9"), "a save cut short");
    QDir(folder.path() + QStringLiteral("/AuxFiles/A2")).removeRecursively();
    folder.write(QStringLiteral("/AuxFiles/Gone7/AuxFile0/Data.txt"), "boxes of a removed account\r\n");
    const QByteArray tax = folder.read(setup::kTaxSettings);
    folder.write(setup::kTaxSettings, tax.left(tax.lastIndexOf(',')) + "\r\n"); // the last value lost
    folder.write(setup::kPrintColors, QByteArray(folder.read(setup::kPrintColors)).replace("#TRUE#", "\"yes\"").replace("#FALSE#", "\"no\""));

    std::vector<Finding> found = checkDataFolder(folder.store(), usLocale());
    QStringList problems;
    for (const Finding &f : found)
        problems << f.problem;
    const QStringList expected = {
        QStringLiteral("TaxRecords.txt ends with 4 bytes that are not a whole record of 75 bytes (a write was cut short)."),
        QStringLiteral("CycleInfo.txt holds 2 records for 3 customers: the customer files are out of step."),
        QStringLiteral("The ledger A1.txt has lost entries its backup copy still holds (2 entries against 1)."),
        QStringLiteral("The ledger A2.txt has no backup copy."),
        QStringLiteral("The ledger A3.txt: 1 entry could not be read (an amount or a date)."),
        QStringLiteral("The sales journal has invoice 339-2, but CompletedInvoices has no file for it."),
        QStringLiteral("The completed invoice 339-9 is not in the sales journal."),
        QStringLiteral("A leftover file of an unfinished change: Transaction/1.new."),
        QStringLiteral("A copy left by a save that was cut short: Services.txt.aB3xY9 (the file it was to replace is "
                       "whole). It can be deleted."),
        QStringLiteral("1 customer has no data-box folder: A2."),
        QStringLiteral("1 data-box folder has no customer (kept from a removed account, or a changed account number): Gone7."),
        QStringLiteral("The settings file TaxSettings.txt holds 5 of its 6 values (it was cut short); the missing ones read as "
                       "their defaults. Open the setup screen and save to write it whole."),
        QStringLiteral("The settings file PrintColors.txt has a text as value 4 where the program writes a number (it reads "
                       "as its default). Open the setup screen and save to write it whole."),
    };
    for (const QString &e : expected)
        EXPECT_TRUE(problems.contains(e)) << e.toStdString() << "\nfound:\n" << problems.join(u'\n').toStdString();
    EXPECT_EQ(problems.size(), expected.size()) << problems.join(u'\n').toStdString();

    // The safe mends: the torn tail cut (the whole records kept), A1 back
    // from its backup, A2's backup made; the rest are for a person.
    const QByteArray taxesBefore = folder.read(billing::kTaxRecordsFile);
    int mended = 0;
    for (const Finding &f : found) {
        if (f.mendKind == Finding::Mend::None)
            continue;
        EXPECT_FALSE(f.mend.isEmpty());
        ASSERT_TRUE(mend(folder.store(), f)) << f.problem.toStdString();
        ++mended;
    }
    EXPECT_EQ(mended, 4);
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/AuxFiles/A2/AuxFile5")).exists());
    EXPECT_EQ(folder.read(billing::kTaxRecordsFile), taxesBefore.chopped(4));
    EXPECT_EQ(folder.read(a1), a1Whole);
    EXPECT_EQ(folder.read(ledger::backupFile(a2)), folder.read(a2));
    problems.clear();
    for (const Finding &f : checkDataFolder(folder.store(), usLocale()))
        problems << f.problem;
    EXPECT_EQ(problems.size(), 9) << problems.join(u'\n').toStdString(); // found, with no safe mend
    EXPECT_FALSE(problems.join(u' ').contains(QStringLiteral("TaxRecords")));
}
