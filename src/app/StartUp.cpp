#include "app/StartUp.h"

#include "base/RecordCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

namespace startup {

DataFolder chooseDataFolder(const QString &executableFolder, const QString &perUserFolder)
{
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

void installShippedFiles(const QString &shippedFolder, const FileStore &store)
{
    if (QDir(shippedFolder).absolutePath() == QDir(store.programFolder()).absolutePath())
        return;
    for (const QString &name : {QStringLiteral("/StatesList.txt")}) {
        if (store.fileExists(name))
            continue;
        QFile source(shippedFolder + name);
        if (source.open(QIODevice::ReadOnly))
            store.replaceFile(name, source.readAll());
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

namespace {

// Entries of a folder by their name in lower case, so data-box folders are
// matched case-insensitively without listing the folder once per customer.
QHash<QString, QString> listByFoldedName(const QString &folder)
{
    QHash<QString, QString> names;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.reserve(entries.size());
    for (const QString &e : entries)
        names.insert(e.toCaseFolded(), e);
    return names;
}

bool ensureFolder(const QString &fullPath)
{
    const QFileInfo info(fullPath);
    if (info.isDir())
        return true;
    return !info.exists() && QDir().mkdir(fullPath);
}

} // namespace

FolderResult createFolders(const FileStore &store, const QString &programName, int year)
{
    const QStringList tree = {
        u'/' + QString::number(year).rightJustified(4, u'0'),
        QStringLiteral("/CompletedInvoices"),
        u'/' + programName,
        QStringLiteral("/BVActiveAccounts"),
        QStringLiteral("/Backup"),
        QStringLiteral("/Backup/") + programName,
        QStringLiteral("/Backup/BVActiveAccounts"),
        QStringLiteral("/Backup/BVActiveAccountsBACK"),
        QStringLiteral("/Backup/CompletedInvoices"),
        QStringLiteral("/Templates"),
        QStringLiteral("/AuxFiles"),
    };
    for (const QString &folder : tree) {
        if (!store.makeFolder(folder))
            return {false, folder};
    }

    const std::int16_t count = store.recordCount(kCustomerFile, kCustomerRecordLength);
    if (count > 0) {
        // One sequential read of the whole customer file.
        const QByteArray file = store.readFile(kCustomerFile).value_or(QByteArray());
        const QString auxRoot = store.path(QStringLiteral("/AuxFiles"));
        QHash<QString, QString> existing = listByFoldedName(auxRoot);
        for (int n = 0; n < count; ++n) {
            const QByteArray record = file.mid(qsizetype(n) * kCustomerRecordLength, kCustomerRecordLength);
            const QString acctNo = RecordReader(record).text(0, kAcctNoWidth);
            // An account number that is not a plain file name never becomes
            // a path: "../x" must not reach outside the program folder.
            if (!FileStore::isSafeNameComponent(acctNo))
                continue;
            const QString folded = acctNo.toCaseFolded();
            QString accountFolder = auxRoot + u'/' + existing.value(folded, acctNo);
            const QFileInfo accountInfo(accountFolder);
            if (accountInfo.isFile())
                continue; // a plain file of that name: left alone
            if (!accountInfo.exists()) {
                // A new account folder: its six folders cannot exist yet.
                if (!QDir().mkdir(accountFolder))
                    return {false, QStringLiteral("/AuxFiles/") + acctNo};
                existing.insert(folded, acctNo);
                for (int i = 0; i < 6; ++i) {
                    const QString sub = QStringLiteral("AuxFile") + QString::number(i);
                    if (!QDir().mkdir(accountFolder + u'/' + sub))
                        return {false, QStringLiteral("/AuxFiles/") + acctNo + u'/' + sub};
                }
                continue;
            }
            // The usual case on every start is six folders already there:
            // one look each, and a listing only when one is missing.
            QHash<QString, QString> inside;
            bool listed = false;
            for (int i = 0; i < 6; ++i) {
                const QString sub = QStringLiteral("AuxFile") + QString::number(i);
                if (QFileInfo(accountFolder + u'/' + sub).isDir())
                    continue;
                if (!listed) {
                    inside = listByFoldedName(accountFolder);
                    listed = true;
                }
                if (!ensureFolder(accountFolder + u'/' + inside.value(sub.toCaseFolded(), sub)))
                    return {false, QStringLiteral("/AuxFiles/") + acctNo + u'/' + sub};
            }
        }
    }

    if (!store.makeFolder(QStringLiteral("/Brenvoy")))
        return {false, QStringLiteral("/Brenvoy")};
    return {};
}

} // namespace startup
