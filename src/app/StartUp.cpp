#include "app/StartUp.h"

#include "customers/CustomerFile.h"

#include "customers/AuxData.h"
#include "customers/Records.h"
#include "customers/StateList.h"

#include <QDir>
#include <QFileInfo>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

using namespace store;
using namespace customers;

namespace app {

DataFolder chooseDataFolder(const QString &executableFolder, const QString &perUserFolder, bool installed)
{
    if (installed) {
        QDir().mkpath(perUserFolder);
        return {perUserFolder, QStringLiteral("Your data is kept in %1.").arg(QDir::toNativeSeparators(perUserFolder))};
    }
    // Writability is tried for real: permission bits do not tell the whole
    // story (read-only mounts, ACLs).
    QTemporaryFile probe(executableFolder + QStringLiteral("/.brenvoy-write-test-XXXXXX"));
    if (probe.open())
        return {executableFolder, QString()};
    QDir().mkpath(perUserFolder);
    return {perUserFolder,
            QStringLiteral("The program folder cannot be written to, so your data is kept in %1.")
                .arg(QDir::toNativeSeparators(perUserFolder))};
}

QString shippedFolderFor(const QString &executableFolder)
{
    const QString installed = QDir::cleanPath(executableFolder + QStringLiteral("/../share/brenvoy"));
    if (!QFileInfo::exists(executableFolder + kStatesListFile) && QFileInfo::exists(installed + kStatesListFile))
        return installed;
    return executableFolder;
}

void installShippedFiles(const QString &shippedFolder, const FileStore &store)
{
    if (QDir(shippedFolder).absolutePath() == QDir(store.programFolder()).absolutePath())
        return;
    (void)store.makeFolder(QStringLiteral("/Templates/Contracts"));
    for (const QString &name : {kStatesListFile, QStringLiteral("/Templates/Contracts/GenericContract.rtf")}) {
        if (store.fileExists(name))
            continue;
        QFile source(shippedFolder + name);
        // A copy that fails leaves only the state list empty or the contract
        // template missing (the contract screen says so); no data depends
        // on them, so the start goes on.
        if (source.open(QIODevice::ReadOnly))
            (void)store.replaceFile(name, source.readAll());
    }
}

InstanceLock::InstanceLock(const QString &programFolder)
    : m_lock(std::make_unique<QLockFile>(programFolder + QStringLiteral("/Brenvoy.lock")))
{
    // Never treat a lock as stale by its age: a copy may run for days. A
    // lock whose process is gone is stale whatever its age.
    m_lock->setStaleLockTime(0);
}

bool InstanceLock::acquire()
{
    return m_lock->tryLock(0);
}

void InstanceLock::release()
{
    m_lock->unlock();
}

QString alreadyRunningText(const QString &appTitle)
{
    return appTitle + QStringLiteral(" is already Running!\nLook for it on the Task Bar");
}

QString folderFailedText(const QString &folder, const QString &programFolder)
{
    return QStringLiteral("The folder %1 could not be created in %2.\n"
                          "Check that the folder is not a file and that you may write there. "
                          "The program will end; no data was changed.")
        .arg(folder, QDir::toNativeSeparators(programFolder));
}

FolderResult createFolders(const FileStore &store, const QString &programName, int year,
                           const FileStore::Progress &progress)
{
    const QStringList tree = {
        u'/' + QString::number(year).rightJustified(4, u'0'),
        QStringLiteral("/CompletedInvoices"),
        u'/' + programName,
        QStringLiteral("/BVActiveAccounts"),
        kBackupFolder,
        kBackupFolder + u'/' + programName,
        kBackupFolder + QStringLiteral("/BVActiveAccounts"),
        kBackupFolder + QStringLiteral("/BVActiveAccountsBACK"),
        kBackupFolder + QStringLiteral("/CompletedInvoices"),
        QStringLiteral("/Templates"),
        customers::auxdata::kAuxFolder,
    };
    for (const QString &folder : tree) {
        if (!store.makeFolder(folder))
            return {false, folder};
    }

    // One sequential read of the customer file through a small buffer,
    // account numbers only.
    const customers::AcctNoIndex numbers = customers::AcctNoIndex::read(store);
    QStringList accounts;
    accounts.reserve(numbers.count());
    for (int n = 1; n <= numbers.count(); ++n)
        accounts.append(numbers.number(n));
    if (const QString failed = customers::auxdata::makeAccountFolders(store, accounts, false, progress); !failed.isEmpty())
        return {false, failed};

    if (!store.makeFolder(QStringLiteral("/Brenvoy")))
        return {false, QStringLiteral("/Brenvoy")};
    return {};
}

QString copySampleBusiness(const QString &shippedFolder, QString *error)
{
    const QDir from(shippedFolder + QStringLiteral("/Sample"));
    if (!QFileInfo::exists(from.filePath(QStringLiteral("SampleBusiness.txt")))) {
        *error = QStringLiteral("the sample business is not installed beside the program (%1)").arg(from.path());
        return QString();
    }
    QTemporaryDir made(QDir::tempPath() + QStringLiteral("/brenvoy-sample-XXXXXX"));
    if (!made.isValid()) {
        *error = made.errorString();
        return QString();
    }
    made.setAutoRemove(false); // the program started on it keeps it
    QDirIterator it(from.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = made.path() + u'/' + from.relativeFilePath(source);
        const bool ok = it.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(source, target);
        if (!ok) {
            *error = QStringLiteral("%1 could not be copied").arg(from.relativeFilePath(source));
            return QString();
        }
    }
    return made.path();
}

const QStringList &exitBackupFiles()
{
    static const QStringList names = {
        QStringLiteral("AdditionalItems"), QStringLiteral("MyBusinessData"), QStringLiteral("CompanyLogo"),
        QStringLiteral("Services"),        QStringLiteral("InvoiceCounter"), QStringLiteral("CycleSetupInfo"),
        QStringLiteral("CustomerData"),    QStringLiteral("CycleInfo"),      QStringLiteral("InvoiceMemo"),
        QStringLiteral("StatementTerms"),  QStringLiteral("TaxRecords"),     QStringLiteral("Narrative"),
        QStringLiteral("InvoiceJournal"),
    };
    return names;
}

void backupBusinessFiles(const store::FileStore &store)
{
    // A backup folder that cannot be made fails each copy below, which is
    // passed over like any failed copy.
    (void)store.makeFolder(store::kBackupFolder);
    for (const QString &base : exitBackupFiles()) {
        const QString name = u'/' + base + QStringLiteral(".txt");
        if (store.fileExists(name))
            (void)store.copyFile(name, store::FileStore::backupName(name));
    }
}

QString finishedWorkText(const FinishedWork &work)
{
    if (!work.setAside.isEmpty())
        return QStringLiteral("A note of unfinished work was damaged and could not be used; nothing was written from "
                              "it. It has been kept as %1 for you to look at.")
            .arg(work.setAside.mid(1));
    if (!work.result)
        return QStringLiteral("Work that was unfinished when the program stopped could not be completed (%1). It "
                              "will be tried again when the program next starts.")
            .arg(work.result.error);
    if (work.kind.isEmpty())
        return QString();
    return QStringLiteral("When the program stopped, %1 was not finished. It has been completed now.").arg(work.kind);
}

} // namespace app
