#include "setup/SettingsFiles.h"

#include "base/FieldRoutines.h"
#include "base/ValueList.h"

#include <limits>

using namespace base;
using namespace store;

namespace setup {

namespace {

std::optional<valuelist::Reader> open(const FileStore &store, const QString &name)
{
    std::optional<QByteArray> bytes = store.readFile(name);
    if (!bytes)
        return std::nullopt;
    return valuelist::Reader(*bytes);
}

std::uint32_t colour(valuelist::Reader &r, std::uint32_t fallback)
{
    const std::int64_t v = r.integer(fallback);
    return v >= 0 && v <= std::int64_t(std::numeric_limits<std::uint32_t>::max()) ? std::uint32_t(v) : fallback;
}

int zeroOrOne(valuelist::Reader &r, int fallback)
{
    // A value stored as a Boolean (-1) or as the box's 0/1 both count.
    const std::int64_t v = r.integer(fallback);
    return v == 0 ? 0 : (v == 1 || v == -1) ? 1 : fallback;
}

} // namespace

bool loadBusinessData(const FileStore &store, BusinessValues &values)
{
    auto r = open(store, kBusinessData);
    if (!r)
        return false;
    values.businessName = r->text();
    values.businessAddress1 = r->text();
    values.businessAddress2 = r->text();
    values.businessCity = r->text();
    values.businessState = r->text();
    values.businessZip = r->text();
    values.businessPhone = r->text();
    values.businessFax = r->text();
    values.businessTaxId = r->text();
    // Written back in its current form with a fresh backup copy. The values
    // are loaded whether or not that write succeeds: a file that cannot be
    // written is reported by the next save the user asks for.
    (void)saveBusiness(store, values);
    return true;
}

namespace {
using base::fields::unquotableText;

std::optional<QString> businessProblem(const BusinessValues &v)
{
    return unquotableText({{"Business Name", v.businessName},
                           {"Address 1", v.businessAddress1},
                           {"Address 2", v.businessAddress2},
                           {v.addressStyle == AddressStyle::USA ? "City" : "Address 3", v.businessCity},
                           {v.addressStyle == AddressStyle::USA ? "State" : "Address 4", v.businessState},
                           {"Zip Code", v.businessZip},
                           {"Phone", v.businessPhone},
                           {"Fax", v.businessFax},
                           {"Tax Id", v.businessTaxId}});
}

std::optional<QString> invoiceOptionsProblem(const BusinessValues &v)
{
    return unquotableText({{"Graduated limit", v.graduatedLimit}, {"Surcharge", v.graduatedSurcharge}});
}

std::optional<QString> taxProblem(const BusinessValues &v)
{
    return unquotableText({{"First tax heading", v.taxHeading1},
                           {"Second tax heading", v.taxHeading2},
                           {"First tax rate", v.taxRate1},
                           {"Second tax rate", v.taxRate2}});
}

std::optional<QString> printProblem(const BusinessValues &v)
{
    return unquotableText({{"Print font", v.printFontName}});
}

std::optional<QString> logoProblem(const BusinessValues &v)
{
    return unquotableText({{"Logo file", v.logoFile}});
}
} // namespace

std::optional<QString> settingsProblem(const BusinessValues &v)
{
    for (auto check : {businessProblem, invoiceOptionsProblem, taxProblem, printProblem, logoProblem}) {
        if (std::optional<QString> problem = check(v))
            return problem;
    }
    return std::nullopt;
}

FileResult saveBusiness(const FileStore &store, const BusinessValues &values)
{
    if (const std::optional<QString> problem = businessProblem(values))
        return FileResult::failure(*problem);
    valuelist::Writer w;
    w.text(values.businessName).text(values.businessAddress1).text(values.businessAddress2)
        .text(values.businessCity).text(values.businessState).text(values.businessZip)
        .text(values.businessPhone).text(values.businessFax).text(values.businessTaxId).endLine();
    FileResult result = store.saveDataFile(kBusinessData, w.bytes());
    if (!result)
        return result;
    if (FileResult made = store.makeFolders({kBackupFolder}); !made)
        return made;
    return store.copyFile(kBusinessData, FileStore::backupName(kBusinessData));
}

void loadInvoiceOptions(const FileStore &store, BusinessValues &values, const QLocale &locale)
{
    const BusinessValues d = BusinessValues::defaults(locale);
    values.taxServicesAndItems = d.taxServicesAndItems;
    values.usePlainPaper = d.usePlainPaper;
    values.useRemittanceForm = d.useRemittanceForm;
    values.sequentialInvoiceNumbers = d.sequentialInvoiceNumbers;
    values.applyGraduatedTax = d.applyGraduatedTax;
    values.graduatedLimit = d.graduatedLimit;
    values.graduatedSurcharge = d.graduatedSurcharge;
    auto r = open(store, kCycleSetupInfo);
    if (!r)
        return;
    values.taxServicesAndItems = zeroOrOne(*r, d.taxServicesAndItems);
    values.usePlainPaper = r->boolean(d.usePlainPaper);
    values.useRemittanceForm = r->boolean(!values.usePlainPaper);
    values.sequentialInvoiceNumbers = zeroOrOne(*r, d.sequentialInvoiceNumbers);
    values.applyGraduatedTax = zeroOrOne(*r, d.applyGraduatedTax);
    values.graduatedLimit = r->text(d.graduatedLimit);
    values.graduatedSurcharge = r->text(d.graduatedSurcharge);
    // Exactly one paper option holds.
    if (values.usePlainPaper == values.useRemittanceForm) {
        values.usePlainPaper = true;
        values.useRemittanceForm = false;
    }
}

FileResult saveInvoiceOptions(const FileStore &store, const BusinessValues &values)
{
    if (const std::optional<QString> problem = invoiceOptionsProblem(values))
        return FileResult::failure(*problem);
    valuelist::Writer w;
    w.integer(values.taxServicesAndItems).boolean(values.usePlainPaper).boolean(values.useRemittanceForm)
        .integer(values.sequentialInvoiceNumbers).integer(values.applyGraduatedTax)
        .text(values.graduatedLimit).text(values.graduatedSurcharge).endLine();
    return store.saveDataFile(kCycleSetupInfo, w.bytes());
}

void loadTaxSettings(const FileStore &store, BusinessValues &values)
{
    const BusinessValues d;
    auto r = open(store, kTaxSettings);
    if (!r) {
        values.taxHeading1 = d.taxHeading1;
        values.taxHeading2 = d.taxHeading2;
        values.apply1stTax = 0;
        values.apply2ndTax = 0;
        return;
    }
    values.taxHeading1 = r->text(d.taxHeading1);
    values.taxHeading2 = r->text(d.taxHeading2);
    values.taxRate1 = r->text(d.taxRate1);
    values.taxRate2 = r->text(d.taxRate2);
    values.apply1stTax = zeroOrOne(*r, 0);
    values.apply2ndTax = zeroOrOne(*r, 0);
}

FileResult saveTaxSettings(const FileStore &store, const BusinessValues &values)
{
    if (const std::optional<QString> problem = taxProblem(values))
        return FileResult::failure(*problem);
    valuelist::Writer w;
    w.text(values.taxHeading1).text(values.taxHeading2).text(values.taxRate1).text(values.taxRate2)
        .integer(values.apply1stTax).integer(values.apply2ndTax).endLine();
    return store.saveDataFile(kTaxSettings, w.bytes());
}

void loadPrintColors(const FileStore &store, BusinessValues &values)
{
    const BusinessValues d;
    values.printBorderColor = d.printBorderColor;
    values.printTextColor = d.printTextColor;
    values.printFontName = d.printFontName;
    values.printInColor = d.printInColor;
    values.printCopies = d.printCopies;
    if (auto r = open(store, kPrintColors)) {
        values.printBorderColor = colour(*r, d.printBorderColor);
        values.printTextColor = colour(*r, d.printTextColor);
        values.printFontName = r->text(d.printFontName);
        if (values.printFontName.trimmed().isEmpty())
            values.printFontName = d.printFontName;
        values.printInColor = r->boolean(d.printInColor);
        const std::int64_t copies = r->integer(d.printCopies);
        values.printCopies = copies >= 0 && copies <= 255 ? std::uint8_t(copies) : d.printCopies;
    }
    values.lineColor = values.printBorderColor;
}

FileResult savePrintColors(const FileStore &store, BusinessValues &values)
{
    if (const std::optional<QString> problem = printProblem(values))
        return FileResult::failure(*problem);
    values.lineColor = values.printBorderColor;
    valuelist::Writer w;
    w.integer(values.printBorderColor).endLine();
    w.integer(values.printTextColor).endLine();
    w.text(values.printFontName).endLine();
    w.boolean(values.printInColor).endLine();
    w.integer(values.printCopies).endLine();
    return store.saveDataFile(kPrintColors, w.bytes());
}

void loadCompanyLogo(const FileStore &store, BusinessValues &values)
{
    if (auto r = open(store, kCompanyLogo))
        values.logoFile = r->text();
}

FileResult saveCompanyLogo(const FileStore &store, const BusinessValues &values, bool logoShown)
{
    if (values.logoFile.isEmpty())
        return FileResult::success();
    if (const std::optional<QString> problem = logoProblem(values))
        return FileResult::failure(*problem);
    FileResult result = store.saveDataFile(kCompanyLogo, valuelist::Writer().text(values.logoFile).bytes());
    if (!result)
        return result;
    return saveLogoSettings(store, values, logoShown);
}

void loadLogoSettings(const FileStore &store, BusinessValues &values, bool logoShown)
{
    const BusinessValues d;
    auto r = open(store, kLogoSettings);
    if (!r) {
        values.logoWidth = d.logoWidth;
        values.logoHeight = d.logoHeight;
        // The defaults hold for this run either way; a file that cannot be
        // written is reported by the next save the user asks for.
        (void)saveLogoSettings(store, values, logoShown);
        return;
    }
    values.logoWidth = r->single(d.logoWidth);
    values.logoHeight = r->single(d.logoHeight);
    if (!(values.logoWidth > 0))
        values.logoWidth = d.logoWidth;
    if (!(values.logoHeight > 0))
        values.logoHeight = d.logoHeight;
}

FileResult saveLogoSettings(const FileStore &store, const BusinessValues &values, bool logoShown)
{
    if (!logoShown)
        return FileResult::success();
    // This one file keeps its backup copy: it is replaced, not deleted first.
    return store.replaceFile(kLogoSettings, valuelist::Writer().single(values.logoWidth).single(values.logoHeight).bytes());
}

void loadPhoneSettings(const FileStore &store, BusinessValues &values)
{
    if (auto r = open(store, kPhone)) {
        values.phoneDaisyChained = r->boolean(false);
        const std::int64_t port = r->integer(values.modemPort);
        if (port >= 0 && port <= 16)
            values.modemPort = std::int16_t(port);
    } else {
        values.phoneDaisyChained = false;
    }
    loadCallerId(store, values);
}

FileResult savePhoneSettings(const FileStore &store, const BusinessValues &values)
{
    valuelist::Writer w;
    w.boolean(values.phoneDaisyChained).endLine();
    w.integer(values.modemPort).endLine();
    FileResult result = store.saveDataFile(kPhone, w.bytes());
    if (!result)
        return result;
    return saveCallerId(store, values);
}

void loadCallerId(const FileStore &store, BusinessValues &values)
{
    if (auto r = open(store, kCallId))
        values.callerIdEnabled = r->boolean(false);
}

FileResult saveCallerId(const FileStore &store, const BusinessValues &values)
{
    return store.saveDataFile(kCallId, valuelist::Writer().boolean(values.callerIdEnabled).bytes());
}

QString loadWebSite(const FileStore &store)
{
    auto r = open(store, kWebSite);
    return r ? r->text() : QString();
}

QString loadStatementTerms(const FileStore &store)
{
    auto r = open(store, kStatementTerms);
    return r ? r->text() : QString();
}

void loadInvoiceBalance(const FileStore &store, BusinessValues &values)
{
    values.previousBalanceOnInvoices = false;
    if (auto r = open(store, kInvoiceBalance))
        values.previousBalanceOnInvoices = r->boolean(false);
}

FileResult saveInvoiceBalance(const FileStore &store, const BusinessValues &values)
{
    if (!values.previousBalanceOnInvoices && !store.dataFileExists(kInvoiceBalance))
        return FileResult::success();
    valuelist::Writer w;
    w.boolean(values.previousBalanceOnInvoices).endLine();
    return store.saveDataFile(kInvoiceBalance, w.bytes());
}

void loadAll(const FileStore &store, BusinessValues &values, const QLocale &locale, bool logoShown)
{
    loadBusinessData(store, values);
    values.addressStyle = addressStyleForZip(values.businessZip, locale);
    loadPhoneSettings(store, values);
    loadPrintColors(store, values);
    loadTaxSettings(store, values);
    loadInvoiceOptions(store, values, locale);
    loadInvoiceBalance(store, values);
    if (store.dataFileExists(kCompanyLogo))
        loadCompanyLogo(store, values);
    if (store.dataFileExists(kLogoSettings))
        loadLogoSettings(store, values, logoShown);
}

SaveAllResult saveAllSettings(const FileStore &store, BusinessValues &values)
{
    // Checked whole first, so a refused text leaves every file as it was.
    if (const std::optional<QString> problem = settingsProblem(values))
        return {FileResult::failure(*problem), QString(), *problem};
    if (FileResult r = saveBusiness(store, values); !r)
        return {r, kBusinessData, QString()};
    if (FileResult r = savePhoneSettings(store, values); !r)
        return {r, kPhone, QString()};
    if (FileResult r = saveInvoiceOptions(store, values); !r)
        return {r, kCycleSetupInfo, QString()};
    if (FileResult r = savePrintColors(store, values); !r)
        return {r, kPrintColors, QString()};
    if (FileResult r = saveTaxSettings(store, values); !r)
        return {r, kTaxSettings, QString()};
    if (FileResult r = saveInvoiceBalance(store, values); !r)
        return {r, kInvoiceBalance, QString()};
    return {FileResult::success(), QString(), QString()};
}

bool setupFilesPresent(const FileStore &store)
{
    bool present = true;
    for (const QString &base : {QStringLiteral("\\CycleSetupInfo"), QStringLiteral("\\MyBusinessData")}) {
        if (!store.dataFileExists(base + QStringLiteral(".txt")))
            present = false;
    }
    return present;
}

} // namespace setup
