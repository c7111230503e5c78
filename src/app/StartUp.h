#pragma once
// The parts of the start and end of the program that touch files: where the
// data lives, the single-instance rule, the folder tree, and the backup
// made when the program ends.
#include "store/FileStore.h"
#include "store/Transaction.h"

#include <QLockFile>
#include <QString>
#include <memory>

namespace app {

// The program folder is the executable's folder; when that is not
// writable the per-user data folder is used, and the note says so. An
// installed copy (its shipped files in share/brenvoy, not beside it) always
// uses the per-user folder, even run by a user who could write to the
// system's bin folder.
struct DataFolder {
    QString path;
    QString note;
};
DataFolder chooseDataFolder(const QString &executableFolder, const QString &perUserFolder, bool installed = false);

// Where the program's shipped files are: beside the executable in a build,
// or in share/brenvoy beside its bin folder once installed.
QString shippedFolderFor(const QString &executableFolder);

// Copies the shipped files the program reads from its data folder (the
// state list) when the data folder is not the executable's and lacks them.
void installShippedFiles(const QString &shippedFolder, const store::FileStore &store);

// A fresh copy of the shipped sample business (`<shipped>/Sample`) in a new
// temporary folder, for the user to explore; its path, or empty with the
// reason in `error`.
QString copySampleBusiness(const QString &shippedFolder, QString *error);

// The business files copied to "/Backup" when the program ends, in order
// (names without ".txt"); a missing one is passed over.
const QStringList &exitBackupFiles();
// Copies each into "/Backup", each copy an atomic replace, so a crash
// during the backup never loses the copy that was there; a copy that fails
// is passed over and the next is tried.
void backupBusinessFiles(const store::FileStore &store);

// One running copy per program folder. A lock left by a copy that died is
// taken over; one held by a running copy is not.
class InstanceLock {
public:
    explicit InstanceLock(const QString &programFolder);
    bool acquire();
    void release();

private:
    std::unique_ptr<QLockFile> m_lock;
};
QString alreadyRunningText(const QString &appTitle);

// Creates the data folder tree in its order, the six data-box folders of
// every customer, and the data root last. Stops at the first folder that
// cannot be made and names it.
struct FolderResult {
    bool ok = true;
    QString failedFolder; // relative name, as "/Backup"
};
// `progress` hears how far the account folders are while new ones are made.
FolderResult createFolders(const store::FileStore &store, const QString &programName, int year,
                           const store::FileStore::Progress &progress = {});
QString folderFailedText(const QString &folder, const QString &programFolder);

// What the user is told of work the start finished (or could not), for
// every kind but a billing run, which tells its own; empty for none.
QString finishedWorkText(const store::FinishedWork &work);

} // namespace app
