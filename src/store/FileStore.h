#pragma once
// Every data file of the program lives under the program folder and is
// reached through this store by a relative name beginning with "/" or "\"
// (both mean the same file), resolved by NameResolver: letter case folded
// component by component, and no name built from user input can reach
// outside the folder. Changes to several files at once go through a
// Transaction.
//
// Replacing a file is atomic and durable: the new content goes to a
// temporary file in the same folder, is synced, renamed over the old name,
// and the folder is synced. A failure at any step leaves the old file as it
// was and is returned to the caller, who tells the user.

#include "store/NameResolver.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace store {

// The folder that holds the copies of the data files ("/Backup/Services.txt").
inline const QString kBackupFolder = QStringLiteral("/Backup");

// What a write came to. A failure carries the system's reason and must be
// looked at: the caller tells the user or passes it on.
struct [[nodiscard]] FileResult {
    bool ok = true;
    QString error; // the system's reason, for the message the caller shows
    // A failure after the file was replaced: it holds the new content, but
    // the disk did not confirm that it is stored for good. Never "nothing
    // was lost" about such a file.
    bool replaced = false;

    static FileResult success() { return {}; }
    static FileResult failure(const QString &why) { return {false, why, false}; }
    static FileResult unconfirmed(const QString &why) { return {false, why, true}; }
    explicit operator bool() const { return ok; }
};

struct FinishedWork;
class FileStore;
FinishedWork finishInterruptedWork(const FileStore &store);

class FileStore {
public:
    explicit FileStore(const QString &programFolder);

    const QString &programFolder() const { return m_names.root(); }

    // The full path of a relative name, or an empty text when the name is
    // not one the store will touch.
    QString path(const QString &name) const;
    // True when text can stand as one component of a file name (an account
    // number naming its ledger and data folder): no separator, no character
    // a file name may not hold, no character outside Latin-1 (records keep
    // single-byte text), not "." or "..", no blank at either end.
    static bool isSafeNameComponent(const QString &text);

    // A plain file of that name exists, or its copy in "/Backup" was just
    // restored to it (silently).
    bool dataFileExists(const QString &name) const;
    bool fileExists(const QString &name) const;   // no restore

    // File length over record length, rounded to nearest (a half to even),
    // at most 32,767; 0 for a missing file.
    std::int16_t recordCount(const QString &name, int recordLength) const;
    // The same count for a file of that many bytes.
    static std::int16_t recordCountOf(qint64 fileSize, int recordLength);

    // The whole file, after the existence test; nothing when it is missing.
    std::optional<QByteArray> readFile(const QString &name) const;
    // Atomic replace of a whole file; the backup copy is left alone.
    FileResult replaceFile(const QString &name, const QByteArray &content) const;
    // Atomic replace of a data file, then removal of its backup copy (from
    // then until the next backup the file has no copy in "/Backup").
    FileResult saveDataFile(const QString &name, const QByteArray &content) const;
    // Atomic copy of one file to another name.
    FileResult copyFile(const QString &from, const QString &to) const;

    // Record n (from 1) of a fixed-length record file, or an empty array
    // when the file has no such record. A short last record comes back short.
    QByteArray readRecord(const QString &name, int recordLength, int recordNumber) const;
    // The length of a file in bytes, -1 when it does not exist (no restore).
    qint64 fileSize(const QString &name) const;
    // Bytes from an offset, as many as the file holds up to `length`.
    QByteArray readBytes(const QString &name, qint64 offset, qint64 length) const;
    // Writes bytes at an offset (at most the file's length: no gap), then
    // cuts the file to `newLength` when that is not negative; creates a
    // missing file. Synced before it returns.
    FileResult writeBytes(const QString &name, qint64 offset, const QByteArray &bytes, qint64 newLength = -1) const;

    // The whole records of a file handed to `visit` a block at a time, in
    // order: `records` holds `count` records, the first of them record
    // number `first` (0-based). The block is read into one buffer the
    // thread keeps, so a file of 15 MB is read at the speed of the system's
    // cache with no memory taken for it. A torn piece at the end is no
    // record. False when the file is missing (after the restore from its
    // backup) or cannot be read.
    using RecordVisitor = std::function<void(const char *records, qsizetype count, qsizetype first)>;
    bool forEachRecordBlock(const QString &name, int recordLength, const RecordVisitor &visit) const;
    // The same over a file already open, from where it stands.
    static bool readRecordBlocks(QIODevice &file, int recordLength, const RecordVisitor &visit);

    // Each plain file of a folder whose name ends with the suffix (letter
    // case ignored) handed to `visit` with its contents, in the order the
    // file system lists them: the folder resolved and listed once, each file
    // opened once by the name listed, and one buffer holding one file at a
    // time (five thousand ledgers are 40 MB): the bytes are valid only
    // during the call. Nothing for a missing folder.
    using FileVisitor = std::function<void(const QString &name, const QByteArray &bytes)>;
    void forEachFile(const QString &folder, const QString &suffix, const FileVisitor &visit) const;

    void killIfExists(const QString &name) const;
    // Deletes a file where there is one; a failure names the reason.
    FileResult removeFile(const QString &name) const;
    // A missing data file is brought back from its copy in "/Backup"
    // (asked for before a change that builds on the file); true when the
    // file is there afterwards.
    bool restoreFromBackup(const QString &name) const { return dataFileExists(name); }
    void deleteDataFile(const QString &name) const;
    FileResult renameDataFile(const QString &oldName, const QString &newName) const;
    // Creates one folder level when no folder of that name exists. False
    // when it cannot be made (no rights, a file of that name).
    [[nodiscard]] bool makeFolder(const QString &name) const;
    // Makes each folder in order (a parent before its children); stops at
    // the first that cannot be made and names it.
    FileResult makeFolders(const QStringList &names) const;
    // Makes "<folder>/<child>/<sub>" for every child and sub where missing,
    // for many children at once: the folder is listed once and names are
    // matched case-insensitively there, instead of being resolved component
    // by component per child. A child that is not a safe name, or is a plain
    // file, is passed over. With `lookInside` false a child folder that
    // exists is taken as whole, not looked into (one listing for all, no
    // look per child). Returns the relative name of the first folder that
    // cannot be made, or an empty text.
    // `progress`, when given, hears (children passed, all children) now and
    // then while new folders are being made, so a first start that makes
    // hundreds of thousands of them can show how far it is.
    using Progress = std::function<void(int done, int total)>;
    QString makeFolderTrees(const QString &folder, const QStringList &children, const QStringList &subfolders,
                            bool lookInside = true, const Progress &progress = {}) const;
    // A file's copy in the backup folder: "/Services.txt" gives
    // "/Backup/Services.txt".
    static QString backupName(const QString &name);


    // How a folder is synced after a rename; tests put in one that fails, as
    // a failing disk would, to see what the user is told.
    using FolderSync = std::function<bool(const QString &folder)>;
    void setFolderSync(FolderSync sync) { m_syncFolder = std::move(sync); }
    // Heard before every write (a replace, bytes written in place, a record
    // appended) with the relative name; a reason given makes that write
    // fail with it, nothing changed, as a full disk would. Tests use it to
    // fail the Nth write of an operation.
    using WriteFault = std::function<std::optional<QString>(const QString &name)>;
    void setWriteFault(WriteFault fault) { m_writeFault = std::move(fault); }

    // Whole records of a file (a torn tail does not count); 0 when missing.
    qint64 wholeRecords(const QString &name, int recordLength) const;

private:
    friend class Transaction;
    friend FinishedWork finishInterruptedWork(const FileStore &store);
    // Writes made between these two are atomic as ever but not synced one by
    // one: the end syncs the file system once, so a transaction of many
    // small writes pays for one sync.
    void beginDeferredSync() const { m_deferSync = true; }
    FileResult endDeferredSync() const;

    NameResolver m_names;
    bool syncFile(int handle) const;
    bool syncFolderOf(const QString &path) const;
    FolderSync m_syncFolder;
    WriteFault m_writeFault;
    mutable bool m_deferSync = false;
};

} // namespace store
