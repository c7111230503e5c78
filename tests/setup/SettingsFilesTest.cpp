#include "setup/SettingsFiles.h"
#include "catalog/Catalog.h"

#include "support/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>

using namespace setup;



TEST(SettingsFiles, BusinessDataRoundTripsAndRefreshesItsBackup)
{
    TestFolder folder;
    BusinessValues v = BusinessValues::defaults(usLocale());
    v.businessName = QStringLiteral("Joe's Best Lawns, Inc.");
    v.businessAddress1 = QStringLiteral("12 Main St");
    v.businessCity = QStringLiteral("Springfield");
    v.businessState = QStringLiteral("IL");
    v.businessZip = QStringLiteral("62701");
    v.businessTaxId = QStringLiteral("Tax ID: 12-3456789");
    ASSERT_TRUE(saveBusiness(folder.store(), v));
    EXPECT_EQ(folder.read(kBusinessData), folder.read(QStringLiteral("/Backup/MyBusinessData.txt")));

    BusinessValues back = BusinessValues::defaults(usLocale());
    ASSERT_TRUE(loadBusinessData(folder.store(), back));
    EXPECT_EQ(back, v);

    // Nine empty texts load as empty and are written back unchanged.
    const QByteArray empty("\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    folder.write(kBusinessData, empty);
    ASSERT_TRUE(loadBusinessData(folder.store(), back));
    EXPECT_TRUE(back.businessName.isEmpty());
    EXPECT_EQ(folder.read(kBusinessData), empty);
}

TEST(SettingsFiles, BusinessDataRestoredFromBackupAndMissingLeavesValues)
{
    TestFolder folder;
    folder.write(QStringLiteral("/Backup/MyBusinessData.txt"), "\"Acme\",\"1 Road\"\r\n");
    BusinessValues v = BusinessValues::defaults(usLocale());
    ASSERT_TRUE(loadBusinessData(folder.store(), v));
    EXPECT_EQ(v.businessName, QStringLiteral("Acme"));
    EXPECT_EQ(v.businessAddress1, QStringLiteral("1 Road"));
    EXPECT_TRUE(v.businessTaxId.isEmpty()); // a short file keeps empty texts for the rest
    EXPECT_TRUE(folder.exists(kBusinessData));

    TestFolder none;
    BusinessValues untouched = BusinessValues::defaults(usLocale());
    untouched.businessName = QStringLiteral("kept");
    EXPECT_FALSE(loadBusinessData(none.store(), untouched));
    EXPECT_EQ(untouched.businessName, QStringLiteral("kept"));
    EXPECT_FALSE(none.exists(kBusinessData));
}

TEST(SettingsFiles, PrintColorsDefaultsAreWrittenBackExactly)
{
    TestFolder folder;
    BusinessValues v = BusinessValues::defaults(usLocale());
    v.printBorderColor = 0x123456;
    v.lineColor = 0x123456;
    v.printFontName = QStringLiteral("Courier");
    loadPrintColors(folder.store(), v);
    EXPECT_EQ(v.printBorderColor, 0u);
    EXPECT_EQ(v.printTextColor, 0u);
    EXPECT_EQ(v.lineColor, 0u);
    EXPECT_EQ(v.printFontName, QStringLiteral("Arial"));
    EXPECT_TRUE(v.printInColor);
    EXPECT_EQ(v.printCopies, 3);
    ASSERT_TRUE(savePrintColors(folder.store(), v));
    EXPECT_EQ(folder.read(kPrintColors), QByteArray("0\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n"));

    folder.write(kPrintColors, "255\r\n16711680\r\n\"Liberation Serif\"\r\n#FALSE#\r\n1\r\n");
    loadPrintColors(folder.store(), v);
    EXPECT_EQ(v.printBorderColor, 255u);
    EXPECT_EQ(v.lineColor, 255u);
    EXPECT_EQ(v.printTextColor, 0xFF0000u);
    EXPECT_EQ(v.printFontName, QStringLiteral("Liberation Serif"));
    EXPECT_FALSE(v.printInColor);
    EXPECT_EQ(v.printCopies, 1);
}

TEST(SettingsFiles, DamagedFilesLoadWhatTheyCan)
{
    TestFolder folder;
    // Truncated, too few fields, wrong types, garbage.
    folder.write(kPrintColors, "255\r\nblue\r\n");
    folder.write(kTaxSettings, "\"County Tax\"");
    folder.write(kCycleSetupInfo, "1,#FALSE#,#TRUE#,x,1,\"$10.00\"");
    folder.write(kLogoSettings, "-5,abc");
    folder.write(kPhone, "#TRUE#\r\n99\r\n");
    folder.write(kCallId, "\xFF\xFE garbage");
    BusinessValues v = BusinessValues::defaults(usLocale());
    loadAll(folder.store(), v, usLocale());

    EXPECT_EQ(v.printBorderColor, 255u);
    EXPECT_EQ(v.printTextColor, 0u);           // "blue" is no colour
    EXPECT_EQ(v.printFontName, QStringLiteral("Arial"));
    EXPECT_EQ(v.printCopies, 3);
    EXPECT_EQ(v.taxHeading1, QStringLiteral("County Tax"));
    EXPECT_EQ(v.taxHeading2, QStringLiteral("Tax"));
    EXPECT_EQ(v.taxRate1, QStringLiteral("4.0"));
    EXPECT_EQ(v.taxServicesAndItems, 1);
    EXPECT_FALSE(v.usePlainPaper);
    EXPECT_TRUE(v.useRemittanceForm);
    EXPECT_EQ(v.sequentialInvoiceNumbers, 0);  // "x" is no number
    EXPECT_EQ(v.applyGraduatedTax, 1);
    EXPECT_EQ(v.graduatedLimit, QStringLiteral("$10.00"));
    EXPECT_EQ(v.graduatedSurcharge, QStringLiteral("$0.00"));
    EXPECT_TRUE(v.phoneDaisyChained);
    EXPECT_EQ(v.modemPort, 0);                 // port 99 does not exist
    EXPECT_FALSE(v.callerIdEnabled);
    EXPECT_EQ(v.logoWidth, 1440.0f);
    EXPECT_EQ(v.logoHeight, 1440.0f);
}

TEST(SettingsFiles, InvoiceAndTaxOptionsRoundTrip)
{
    TestFolder folder;
    BusinessValues v = BusinessValues::defaults(usLocale());
    loadInvoiceOptions(folder.store(), v, usLocale());
    loadTaxSettings(folder.store(), v);
    EXPECT_EQ(v.graduatedLimit, QStringLiteral("$0.00"));
    EXPECT_EQ(v.taxHeading1, QStringLiteral("Sales Tax"));
    EXPECT_EQ(v.taxHeading2, QStringLiteral("Tax"));
    ASSERT_TRUE(saveInvoiceOptions(folder.store(), v));
    EXPECT_EQ(folder.read(kCycleSetupInfo), QByteArray("0,#TRUE#,#FALSE#,0,0,\"$0.00\",\"$0.00\"\r\n"));

    v.taxHeading1 = QStringLiteral("GST");
    v.taxRate1 = QStringLiteral("5,0");
    v.taxRate2 = QStringLiteral("7.5");
    v.apply2ndTax = 1;
    folder.write(QStringLiteral("/Backup/TaxSettings.txt"), "stale");
    ASSERT_TRUE(saveTaxSettings(folder.store(), v));
    EXPECT_EQ(folder.read(kTaxSettings), QByteArray("\"GST\",\"Tax\",\"5,0\",\"7.5\",0,1\r\n"));
    EXPECT_FALSE(folder.exists(QStringLiteral("/Backup/TaxSettings.txt")));
    BusinessValues back = BusinessValues::defaults(usLocale());
    loadTaxSettings(folder.store(), back);
    EXPECT_EQ(back.taxRate1, QStringLiteral("5,0"));
    EXPECT_EQ(back.apply2ndTax, 1);
}

TEST(SettingsFiles, TaxRateTextsAsNumbers)
{
    struct Case {
        const char *rate;
        double value;
    };
    const Case cases[] = {{"4.0", 4.0}, {"5,0", 5.0}, {"7.5", 7.5}, {"", 0.0}, {"abc", 0.0},
                          {" 6.25% ", 6.25}, {".5", 0.5}, {"7,25", 7.0}, {"-1", -1.0}};
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(taxRateValue(QString::fromLatin1(c.rate)), c.value) << c.rate;
    EXPECT_EQ(taxRateChoices().size(), 7);
    EXPECT_EQ(taxRateChoices().first(), QStringLiteral("4.0"));
    EXPECT_EQ(taxHeadingChoices().last(), QStringLiteral("GST"));
}

TEST(SettingsFiles, AddressStyleFollowsThePostalCode)
{
    EXPECT_EQ(addressStyleForZip(QStringLiteral("62701"), usLocale()), AddressStyle::USA);
    EXPECT_EQ(addressStyleForZip(QString(), usLocale()), AddressStyle::International);
    EXPECT_EQ(addressStyleForZip(QStringLiteral("SW1A 1AA"), usLocale()), AddressStyle::International);
    EXPECT_EQ(addressStyleCaption(AddressStyle::USA), QStringLiteral("USA Style Address"));
    EXPECT_EQ(addressStyleCaption(AddressStyle::International), QStringLiteral("International Style Address"));

    TestFolder folder;
    folder.write(kBusinessData, "\"A\",\"\",\"\",\"City\",\"ST\",\"62701\",\"\",\"\",\"\"\r\n");
    BusinessValues v = BusinessValues::defaults(usLocale());
    loadAll(folder.store(), v, usLocale());
    EXPECT_EQ(v.addressStyle, AddressStyle::USA);
}

TEST(SettingsFiles, PhoneCallerIdAndLogo)
{
    TestFolder folder;
    folder.write(kCallId, "#FALSE#\r\n");
    BusinessValues v = BusinessValues::defaults(usLocale());
    v.callerIdEnabled = true;
    loadCallerId(folder.store(), v);
    EXPECT_FALSE(v.callerIdEnabled);
    v.callerIdEnabled = true;
    v.modemPort = 3;
    ASSERT_TRUE(savePhoneSettings(folder.store(), v));
    EXPECT_EQ(folder.read(kPhone), QByteArray("#FALSE#\r\n3\r\n"));
    EXPECT_EQ(folder.read(kCallId), QByteArray("#TRUE#\r\n"));

    // No logo chosen: nothing is written.
    ASSERT_TRUE(saveCompanyLogo(folder.store(), v, false));
    EXPECT_FALSE(folder.exists(kCompanyLogo));
    v.logoFile = QStringLiteral("/home/me/logo.png");
    v.logoWidth = 2160.5f;
    ASSERT_TRUE(saveCompanyLogo(folder.store(), v, true));
    EXPECT_EQ(folder.read(kCompanyLogo), QByteArray("\"/home/me/logo.png\"\r\n"));
    EXPECT_EQ(folder.read(kLogoSettings), QByteArray("2160.5,1440\r\n"));
    BusinessValues back = BusinessValues::defaults(usLocale());
    loadAll(folder.store(), back, usLocale());
    EXPECT_EQ(back.logoFile, v.logoFile);
    EXPECT_EQ(back.logoWidth, 2160.5f);
}

TEST(SettingsFiles, SaveAllWritesEveryFileAndBothRequiredOnesCount)
{
    TestFolder folder;
    EXPECT_FALSE(setupFilesPresent(folder.store()));
    folder.write(QStringLiteral("/Backup/MyBusinessData.txt"), "\"B\"\r\n");
    // The first is missing, yet the second is still restored.
    EXPECT_FALSE(setupFilesPresent(folder.store()));
    EXPECT_TRUE(folder.exists(kBusinessData));

    BusinessValues v = BusinessValues::defaults(usLocale());
    ASSERT_TRUE(saveAllSettings(folder.store(), v));
    for (const QString &name : {kBusinessData, kCycleSetupInfo, kTaxSettings, kPrintColors, kPhone, kCallId})
        EXPECT_TRUE(folder.exists(name)) << name.toStdString();
    EXPECT_TRUE(setupFilesPresent(folder.store()));

    folder.write(kWebSite, "\"www.example.com\"\r\n");
    folder.write(kStatementTerms, "\"Net 30, thank you\"\r\n");
    EXPECT_EQ(loadWebSite(folder.store()), QStringLiteral("www.example.com"));
    EXPECT_EQ(loadStatementTerms(folder.store()), QStringLiteral("Net 30, thank you"));
}

TEST(SettingsFiles, AQuoteInAnyTextIsRefusedNamingTheFieldAndNoFileIsWritten)
{
    struct Case {
        const char *field;
        std::function<void(BusinessValues &)> set;
        std::function<store::FileResult(const store::FileStore &, BusinessValues &)> save;
        QString file;
    };
    const Case cases[] = {
        {"Business Name", [](BusinessValues &v) { v.businessName = QStringLiteral("Joe's \"Best\""); },
         [](const store::FileStore &s, BusinessValues &v) { return saveBusiness(s, v); }, kBusinessData},
        {"Tax Id", [](BusinessValues &v) { v.businessTaxId = QStringLiteral("\""); },
         [](const store::FileStore &s, BusinessValues &v) { return saveBusiness(s, v); }, kBusinessData},
        {"Second tax heading", [](BusinessValues &v) { v.taxHeading2 = QStringLiteral("City \"B\""); },
         [](const store::FileStore &s, BusinessValues &v) { return saveTaxSettings(s, v); }, kTaxSettings},
        {"First tax rate", [](BusinessValues &v) { v.taxRate1 = QStringLiteral("5\""); },
         [](const store::FileStore &s, BusinessValues &v) { return saveTaxSettings(s, v); }, kTaxSettings},
        {"Surcharge", [](BusinessValues &v) { v.graduatedSurcharge = QStringLiteral("\"$1\""); },
         [](const store::FileStore &s, BusinessValues &v) { return saveInvoiceOptions(s, v); }, kCycleSetupInfo},
        {"Print font", [](BusinessValues &v) { v.printFontName = QStringLiteral("\"Arial\""); },
         [](const store::FileStore &s, BusinessValues &v) { return savePrintColors(s, v); }, kPrintColors},
        {"Logo file", [](BusinessValues &v) { v.logoFile = QStringLiteral("/tmp/\"logo\".png"); },
         [](const store::FileStore &s, BusinessValues &v) { return saveCompanyLogo(s, v, true); }, kCompanyLogo},
    };
    for (const Case &c : cases) {
        TestFolder folder;
        BusinessValues v = BusinessValues::defaults(usLocale());
        v.businessName = QStringLiteral("Joe's Lawns");
        v.logoFile = QStringLiteral("/tmp/logo.png");
        ASSERT_TRUE(saveAllSettings(folder.store(), v));
        ASSERT_TRUE(saveCompanyLogo(folder.store(), v, true));
        const QByteArray before = folder.read(c.file);
        c.set(v);
        const QString message = QStringLiteral("This character, (\") is invalid for this field: %1.\nNothing was saved.")
                                    .arg(QString::fromLatin1(c.field));
        EXPECT_EQ(settingsProblem(v), message) << c.field;
        const store::FileResult each = c.save(folder.store(), v);
        EXPECT_FALSE(each.ok) << c.field;
        EXPECT_EQ(each.error, message);
        const SaveAllResult all = saveAllSettings(folder.store(), v);
        EXPECT_EQ(all.refused, message) << c.field;
        EXPECT_EQ(folder.read(c.file), before) << c.field;
    }
    // The labour file likewise.
    TestFolder folder;
    catalog::LaborRates rates{{{QStringLiteral("Regular"), QStringLiteral("$40.00")},
                               {QStringLiteral("Over \"time\""), QStringLiteral("$60.00")},
                               {QString(), QString()}}};
    EXPECT_EQ(catalog::Catalog::laborRatesProblem(rates),
              QStringLiteral("This character, (\") is invalid for this field: Labor heading 2.\nNothing was saved."));
    EXPECT_FALSE(catalog::Catalog::saveLaborRates(folder.store(), rates).ok);
    EXPECT_FALSE(folder.exists(catalog::kLaborFile));
}

// The previous-balance option has a file of its own, written only once the
// option has been on: a folder that never used it gets no new file.
TEST(SettingsFiles, ThePreviousBalanceOptionIsWrittenOnlyOnceUsed)
{
    TestFolder folder;
    BusinessValues v = BusinessValues::defaults(usLocale());
    ASSERT_TRUE(saveInvoiceBalance(folder.store(), v));
    EXPECT_FALSE(folder.exists(kInvoiceBalance));
    v.previousBalanceOnInvoices = true;
    ASSERT_TRUE(saveInvoiceBalance(folder.store(), v));
    EXPECT_EQ(folder.read(kInvoiceBalance), QByteArray("#TRUE#\r\n"));
    BusinessValues loaded = BusinessValues::defaults(usLocale());
    loadInvoiceBalance(folder.store(), loaded);
    EXPECT_TRUE(loaded.previousBalanceOnInvoices);
    v.previousBalanceOnInvoices = false; // turned off again: the file says so
    ASSERT_TRUE(saveInvoiceBalance(folder.store(), v));
    loadInvoiceBalance(folder.store(), loaded);
    EXPECT_FALSE(loaded.previousBalanceOnInvoices);
}
