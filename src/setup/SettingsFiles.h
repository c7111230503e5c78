#pragma once
// The ten settings files in the program folder and their load and save
// operations. A missing file gives the defaults without a message; a file
// that is cut short or holds a value of the wrong type loads what it can
// and keeps the default for the rest. Every save replaces its file
// atomically and reports a failure instead of losing the old file.
#include "setup/BusinessSettings.h"
#include "store/FileStore.h"

#include <QLocale>

namespace setup {

inline const QString kBusinessData = QStringLiteral("/MyBusinessData.txt");
inline const QString kCycleSetupInfo = QStringLiteral("/CycleSetupInfo.txt");
inline const QString kTaxSettings = QStringLiteral("/TaxSettings.txt");
inline const QString kPrintColors = QStringLiteral("/PrintColors.txt");
inline const QString kCompanyLogo = QStringLiteral("/CompanyLogo.txt");
inline const QString kLogoSettings = QStringLiteral("/LogoSettings.txt");
inline const QString kPhone = QStringLiteral("/Phone.txt");
inline const QString kCallId = QStringLiteral("/CallID.txt");
inline const QString kWebSite = QStringLiteral("/MyWebSite.txt");
inline const QString kStatementTerms = QStringLiteral("/StatementTerms.txt");
// One value: whether invoices show the previous balance. Written only once
// the option has been turned on, so a folder that never used it is as it was.
inline const QString kInvoiceBalance = QStringLiteral("/InvoiceBalance.txt");

// Reads the nine business texts (restoring the file from "/Backup" when
// only the copy is there) and rewrites the file and its backup copy in the
// canonical form. False, and nothing changed, when there is no file.
bool loadBusinessData(const store::FileStore &store, BusinessValues &values);
// Rewrites "MyBusinessData.txt", then refreshes "/Backup/MyBusinessData.txt".
store::FileResult saveBusiness(const store::FileStore &store, const BusinessValues &values);

void loadInvoiceOptions(const store::FileStore &store, BusinessValues &values, const QLocale &locale);
store::FileResult saveInvoiceOptions(const store::FileStore &store, const BusinessValues &values);

void loadInvoiceBalance(const store::FileStore &store, BusinessValues &values);
store::FileResult saveInvoiceBalance(const store::FileStore &store, const BusinessValues &values);

void loadTaxSettings(const store::FileStore &store, BusinessValues &values);
store::FileResult saveTaxSettings(const store::FileStore &store, const BusinessValues &values);

// Also sets the line colour to the border colour.
void loadPrintColors(const store::FileStore &store, BusinessValues &values);
store::FileResult savePrintColors(const store::FileStore &store, BusinessValues &values);

void loadCompanyLogo(const store::FileStore &store, BusinessValues &values);
// Does nothing when no picture file has been chosen; otherwise writes the
// path and the logo size.
store::FileResult saveCompanyLogo(const store::FileStore &store, const BusinessValues &values, bool logoShown);

// A missing file sets 1440 by 1440 (and writes it when a logo is shown).
void loadLogoSettings(const store::FileStore &store, BusinessValues &values, bool logoShown);
// Does nothing when no logo picture is shown.
store::FileResult saveLogoSettings(const store::FileStore &store, const BusinessValues &values, bool logoShown);

// Each ends with the caller-identification file.
void loadPhoneSettings(const store::FileStore &store, BusinessValues &values);
store::FileResult savePhoneSettings(const store::FileStore &store, const BusinessValues &values);
void loadCallerId(const store::FileStore &store, BusinessValues &values);
store::FileResult saveCallerId(const store::FileStore &store, const BusinessValues &values);

// Texts the user provides outside the program; empty when missing.
QString loadWebSite(const store::FileStore &store);
QString loadStatementTerms(const store::FileStore &store);

// Loads every settings file, in the order the setup screen loads them, and
// derives the address style from the postal code.
void loadAll(const store::FileStore &store, BusinessValues &values, const QLocale &locale, bool logoShown = false);

// The save made when the user leaves the setup screen. Stops at the first
// file that cannot be written and returns its name with the reason.
struct SaveAllResult {
    store::FileResult result;
    QString fileName;
    QString refused; // a text the files cannot hold: the message, nothing written
    explicit operator bool() const { return result.ok; }
};
// The message for the first settings text the quoted form cannot hold
// (each save refuses its own file's texts the same way); nothing when all
// can be written.
std::optional<QString> settingsProblem(const BusinessValues &values);
SaveAllResult saveAllSettings(const store::FileStore &store, BusinessValues &values);

// Both required set-up files exist (or were restored). Both are always
// tested, so a restorable second file is restored even when the first is
// missing.
bool setupFilesPresent(const store::FileStore &store);

} // namespace setup
