#include "exchange/DataCheck.h"

#include "billing/PrintedRun.h"
#include "billing/RunRegister.h"
#include "catalog/CatalogRecords.h"
#include "customers/AuxData.h"
#include "customers/CustomerFile.h"
#include "customers/Records.h"
#include "history/History.h"
#include "ledger/Ledger.h"
#include "receivables/Receivables.h"
#include "setup/SettingsFiles.h"
#include "base/ValueList.h"
#include "store/Transaction.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace exchange {

namespace {

struct RecordFile {
    QString name;
    int length;
};

const std::vector<RecordFile> &recordFiles()
{
    static const std::vector<RecordFile> files = {
        {customers::kCustomerFile, customers::CustomerRecord::kLength},
        {customers::kCycleFile, customers::CycleRecord::kLength},
        {customers::kContractFile, customers::ContractRecord::kLength},
        {catalog::kServicesFile, catalog::ServiceRecord::kLength},
        {catalog::kItemsFile, catalog::InventoriedItemRecord::kLength},
        {billing::kTaxRecordsFile, billing::TaxRecord::kLength},
        {billing::kSoldItemsFile, billing::SoldItemRecord::kLength},
        {billing::kSalesJournalFile, billing::SalesJournalRecord::kLength},
        {ledger::kPaymentJournal, ledger::LedgerEntry::kLength},
        {ledger::kFinancialHistoryFile, ledger::LedgerEntry::kLength},
        {history::kServiceHistoryFile, history::ServiceHistoryRecord::kLength},
        {billing::kRunsFile, billing::RunRecord::kLength},
        {billing::kRunAccountsFile, billing::RunAccountRecord::kLength},
        {billing::kRunItemsFile, billing::RunItemRecord::kLength},
    };
    return files;
}

void checkTail(std::vector<Finding> &out, const store::FileStore &store, const QString &name, int length)
{
    const qint64 size = store.fileSize(name);
    if (size <= 0 || size % length == 0)
        return;
    Finding f;
    f.file = name;
    f.problem = QStringLiteral("%1 ends with %2 bytes that are not a whole record of %3 bytes (a write was cut short).")
                    .arg(name.mid(1))
                    .arg(size % length)
                    .arg(length);
    f.mend = QStringLiteral("Keep its %1 whole records and cut the %2 bytes after them.").arg(size / length).arg(size % length);
    f.mendKind = Finding::Mend::CutTornTail;
    f.recordLength = length;
    out.push_back(f);
}

void checkLedgers(std::vector<Finding> &out, const store::FileStore &store, const QLocale &locale);
void checkInvoices(std::vector<Finding> &out, const store::FileStore &store);
void checkLeftovers(std::vector<Finding> &out, const store::FileStore &store);
void checkAccountFolders(std::vector<Finding> &out, const store::FileStore &store);
void checkSettings(std::vector<Finding> &out, const store::FileStore &store);

} // namespace

std::vector<Finding> checkDataFolder(const store::FileStore &store, const QLocale &locale)
{
    std::vector<Finding> out;
    for (const RecordFile &f : recordFiles())
        checkTail(out, store, f.name, f.length);

    // The three customer files hold one record per customer each.
    const qint64 customers = std::max<qint64>(store.fileSize(customers::kCustomerFile), 0) / customers::CustomerRecord::kLength;
    for (const RecordFile &f : {recordFiles()[1], recordFiles()[2]}) {
        const qint64 n = std::max<qint64>(store.fileSize(f.name), 0) / f.length;
        if (n != customers)
            out.push_back({f.name,
                           QStringLiteral("%1 holds %2 records for %3 customers: the customer files are out of step.")
                               .arg(f.name.mid(1))
                               .arg(n)
                               .arg(customers),
                           QString()});
    }

    checkLedgers(out, store, locale);
    checkInvoices(out, store);
    checkLeftovers(out, store);
    checkAccountFolders(out, store);
    checkSettings(out, store);
    return out;
}

namespace {

// Each ledger: whole records, a backup the same, every entry readable.
void checkLedgers(std::vector<Finding> &out, const store::FileStore &store, const QLocale &locale)
{
    receivables::LedgerReader reader(locale);
    store.forEachFile(ledger::kActiveAccountsFolder, QStringLiteral(".txt"), [&](const QString &name, const QByteArray &bytes) {
        const QString file = ledger::kActiveAccountsFolder + u'/' + name;
        checkTail(out, store, file, ledger::LedgerEntry::kLength);
        const QString copy = ledger::backupFile(file);
        const std::optional<QByteArray> backup = store.fileExists(copy) ? store.readFile(copy) : std::nullopt;
        const QByteArray ledger(bytes.constData(), bytes.size());
        if (!backup) {
            out.push_back({file, QStringLiteral("The ledger %1 has no backup copy.").arg(name),
                           QStringLiteral("Copy the ledger to Backup/%1/%2.").arg(ledger::kActiveAccountsFolder.mid(1), name),
                           Finding::Mend::RefreshBackup});
        } else if (*backup != ledger) {
            const qsizetype whole = ledger.size() / ledger::LedgerEntry::kLength * ledger::LedgerEntry::kLength;
            if (backup->size() > whole && backup->startsWith(ledger.left(whole)) && backup->size() % ledger::LedgerEntry::kLength == 0)
                out.push_back({file,
                               QStringLiteral("The ledger %1 has lost entries its backup copy still holds (%2 entries against %3).")
                                   .arg(name)
                                   .arg(backup->size() / ledger::LedgerEntry::kLength)
                                   .arg(whole / ledger::LedgerEntry::kLength),
                               QStringLiteral("Put the backup copy, which holds every entry of the ledger and more, in its place."),
                               Finding::Mend::RestoreFromBackup});
            else if (ledger.size() > backup->size() && ledger.startsWith(*backup))
                out.push_back({file, QStringLiteral("The backup copy of the ledger %1 is behind the ledger.").arg(name),
                               QStringLiteral("Copy the ledger over its backup copy."), Finding::Mend::RefreshBackup});
            else
                out.push_back({file,
                               QStringLiteral("The ledger %1 and its backup copy differ; compare them before changing either.").arg(name),
                               QString()});
        }
        if (const int unreadable = reader.read(ledger, false).unreadable)
            out.push_back({file, QStringLiteral("The ledger %1: %2 (an amount or a date).").arg(name, receivables::unreadableText(unreadable)),
                           QString()});
    });
}

// The sales journal and the completed invoices agree.
void checkInvoices(std::vector<Finding> &out, const store::FileStore &store)
{
    QSet<QString> journal;
    store.forEachRecordBlock(billing::kSalesJournalFile, billing::SalesJournalRecord::kLength,
                             [&](const char *records, qsizetype count, qsizetype) {
                                 for (qsizetype i = 0; i < count; ++i)
                                     journal.insert(billing::SalesJournalRecord::decode(QByteArray(
                                                                                            records + i * billing::SalesJournalRecord::kLength,
                                                                                            billing::SalesJournalRecord::kLength))
                                                        .invoiceNo);
                             });
    for (const QString &no : std::as_const(journal))
        if (!store.fileExists(billing::completedInvoiceFile(no)))
            out.push_back({billing::kSalesJournalFile,
                           QStringLiteral("The sales journal has invoice %1, but CompletedInvoices has no file for it.").arg(no),
                           QString()});
    const QString completed = store.path(QStringLiteral("/CompletedInvoices"));
    for (const QString &name : QDir(completed).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString no = name.chopped(4);
        if (!no.endsWith(QLatin1String("-CN")) && !journal.contains(no))
            out.push_back({QStringLiteral("/CompletedInvoices/") + name,
                           QStringLiteral("The completed invoice %1 is not in the sales journal.").arg(no), QString()});
    }
}

// Work left behind.
void checkLeftovers(std::vector<Finding> &out, const store::FileStore &store)
{
    if (store.fileExists(store::kTransactionMarker))
        out.push_back({store::kTransactionMarker,
                       QStringLiteral("A change of several files was left unfinished; it is completed when the program next starts."),
                       QString()});
    for (const QString &name : QDir(store.path(store::kTransactionFolder)).entryList({QStringLiteral("*.new")}, QDir::Files))
        out.push_back({store::kTransactionFolder + u'/' + name,
                       QStringLiteral("A leftover file of an unfinished change: Transaction/%1.").arg(name), QString()});
    // A file is replaced by writing "<name>.XXXXXX" beside it and renaming
    // it over the old one; a crash between the two leaves the new copy.
    static const QRegularExpression partial(QStringLiteral("\\.(txt|rtf|bmp)\\.[A-Za-z0-9]{6}$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString folders[] = {QString(), store::kBackupFolder, ledger::kActiveAccountsFolder,
                               store::FileStore::backupName(ledger::kActiveAccountsFolder), QStringLiteral("/CompletedInvoices")};
    for (const QString &folder : folders)
        for (const QString &name : QDir(folder.isEmpty() ? store.programFolder() : store.path(folder)).entryList(QDir::Files))
            if (partial.match(name).hasMatch())
                out.push_back({folder + u'/' + name,
                               QStringLiteral("A copy left by a save that was cut short: %1 (the file it was to replace "
                                              "is whole). It can be deleted.")
                                   .arg((folder + u'/' + name).mid(1)),
                               QString()});
}

// A few names of a long list, for a finding a user reads.
QString someOf(const QStringList &names)
{
    constexpr int kNamed = 8;
    QString text = names.mid(0, kNamed).join(QStringLiteral(", "));
    if (names.size() > kNamed)
        text += QStringLiteral(" and %1 more").arg(names.size() - kNamed);
    return text;
}

// Each customer's data-box folder, and no folder without its customer.
// Folder names are matched without regard to letter case, as the start
// makes them. A folder left by a removed customer holds its boxes: it is
// reported, never taken away.
void checkAccountFolders(std::vector<Finding> &out, const store::FileStore &store)
{
    const customers::AcctNoIndex index = customers::AcctNoIndex::read(store);
    if (index.count() == 0)
        return;
    QHash<QString, QString> folders; // lower case -> as listed
    for (const QString &name : QDir(store.path(customers::auxdata::kAuxFolder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders.insert(name.toLower(), name);
    QStringList missing;
    for (int n = 1; n <= index.count(); ++n) {
        const QString acct = index.number(n);
        if (!store::FileStore::isSafeNameComponent(acct))
            continue;
        if (folders.remove(acct.toLower()) == 0)
            missing.append(acct);
    }
    if (!missing.isEmpty()) {
        Finding f{customers::auxdata::kAuxFolder,
                  QStringLiteral("%1 %2 no data-box folder: %3.")
                      .arg(missing.size())
                      .arg(missing.size() == 1 ? QStringLiteral("customer has") : QStringLiteral("customers have"), someOf(missing)),
                  QStringLiteral("Make the missing folders (AuxFiles/<account>/AuxFile0 to AuxFile5); nothing is removed."),
                  Finding::Mend::MakeFolders};
        f.accounts = missing;
        out.push_back(f);
    }
    if (!folders.isEmpty()) {
        QStringList strays = folders.values();
        strays.sort(Qt::CaseInsensitive);
        out.push_back({customers::auxdata::kAuxFolder,
                       QStringLiteral("%1 data-box %2 no customer (kept from a removed account, or a changed account number): %3.")
                           .arg(strays.size())
                           .arg(strays.size() == 1 ? QStringLiteral("folder has") : QStringLiteral("folders have"), someOf(strays)),
                       QString()});
    }
}

// The values of each settings file against what the program writes there:
// as many, and each of its kind (a quoted text, or a number or #TRUE#).
// What a file should hold is learnt by writing the default settings into
// a scratch folder with the program's own writers.
void checkSettings(std::vector<Finding> &out, const store::FileStore &store)
{
    static const QStringList files = {setup::kBusinessData, setup::kCycleSetupInfo, setup::kTaxSettings,
                                      setup::kPrintColors, setup::kPhone, setup::kCallId, setup::kInvoiceBalance};
    static const std::map<QString, std::vector<bool>> expected = [] {
        std::map<QString, std::vector<bool>> kinds;
        QTemporaryDir dir;
        if (!dir.isValid())
            return kinds;
        const store::FileStore scratch(dir.path());
        setup::BusinessValues values;
        values.previousBalanceOnInvoices = true;
        (void)setup::saveAllSettings(scratch, values);
        (void)setup::saveCallerId(scratch, values);
        for (const QString &name : files) {
            base::valuelist::Reader reader(scratch.readFile(name).value_or(QByteArray()));
            std::vector<bool> quoted;
            for (std::size_t i = 0; i < reader.fieldCount(); ++i)
                quoted.push_back(reader.field(i).quoted);
            kinds[name] = quoted;
        }
        return kinds;
    }();
    for (const QString &name : files) {
        const auto want = expected.find(name);
        if (want == expected.end() || want->second.empty() || !store.fileExists(name))
            continue;
        const std::optional<QByteArray> bytes = store.readFile(name);
        if (!bytes) {
            out.push_back({name, QStringLiteral("The settings file %1 cannot be read.").arg(name.mid(1)), QString()});
            continue;
        }
        base::valuelist::Reader reader(*bytes);
        const std::size_t has = reader.fieldCount(), needs = want->second.size();
        QString problem;
        if (has < needs)
            problem = QStringLiteral("holds %1 of its %2 values (it was cut short); the missing ones read as their defaults").arg(has).arg(needs);
        else if (has > needs)
            problem = QStringLiteral("holds %1 values where the program writes %2").arg(has).arg(needs);
        for (std::size_t i = 0; problem.isEmpty() && i < needs; ++i)
            if (reader.field(i).quoted != want->second[i])
                problem = QStringLiteral("has %2 as value %1 where the program writes %3 (it reads as its default)")
                              .arg(i + 1)
                              .arg(reader.field(i).quoted ? QStringLiteral("a text") : QStringLiteral("a number"),
                                   want->second[i] ? QStringLiteral("a text") : QStringLiteral("a number"));
        if (!problem.isEmpty())
            out.push_back({name, QStringLiteral("The settings file %1 %2. Open the setup screen and save to write it whole.")
                                     .arg(name.mid(1), problem),
                           QString()});
    }
}

} // namespace

QString checkSummary(const std::vector<Finding> &findings)
{
    if (findings.empty())
        return QStringLiteral("The data folder checks clean: every file is whole and in step.");
    const auto mendable = std::count_if(findings.cbegin(), findings.cend(),
                                        [](const Finding &f) { return f.mendKind != Finding::Mend::None; });
    return QStringLiteral("The check found %1 %2; %3 can be mended safely.")
        .arg(findings.size())
        .arg(findings.size() == 1 ? QStringLiteral("problem") : QStringLiteral("problems"))
        .arg(mendable);
}

store::FileResult mend(const store::FileStore &store, const Finding &f)
{
    switch (f.mendKind) {
    case Finding::Mend::CutTornTail: {
        const qint64 size = store.fileSize(f.file);
        const qint64 whole = size / f.recordLength * f.recordLength;
        return store.replaceFile(f.file, store.readBytes(f.file, 0, whole));
    }
    case Finding::Mend::RestoreFromBackup:
        return store.copyFile(store::FileStore::backupName(f.file), f.file);
    case Finding::Mend::RefreshBackup:
        return store.copyFile(f.file, store::FileStore::backupName(f.file));
    case Finding::Mend::MakeFolders: {
        if (store::FileResult r = store.makeFolders({customers::auxdata::kAuxFolder}); !r)
            return r;
        const QString failed = customers::auxdata::makeAccountFolders(store, f.accounts);
        return failed.isEmpty() ? store::FileResult::success()
                                : store::FileResult::failure(QStringLiteral("the folder %1 cannot be made").arg(failed));
    }
    case Finding::Mend::None:
        break;
    }
    return store::FileResult::failure(QStringLiteral("there is no safe mend for it"));
}

} // namespace exchange
