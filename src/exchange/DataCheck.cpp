#include "exchange/DataCheck.h"

#include "billing/PrintedRun.h"
#include "billing/RunRegister.h"
#include "catalog/CatalogRecords.h"
#include "customers/Records.h"
#include "history/History.h"
#include "ledger/Ledger.h"
#include "receivables/Receivables.h"
#include "store/Transaction.h"

#include <QDir>
#include <QSet>

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
}

} // namespace

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
    case Finding::Mend::None:
        break;
    }
    return store::FileResult::failure(QStringLiteral("there is no safe mend for it"));
}

} // namespace exchange
