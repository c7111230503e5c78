#pragma once
// Backups a user can go back to: the whole data folder as one ZIP archive
// (written and read with libarchive), named by date and time, with a
// manifest of the program's version, the moment, and each file's size and
// SHA-256. An archive counts only once it has been read back and every
// file found as the manifest says; the oldest are removed, past the number
// kept, only after a new one has been checked.
//
// A restore never mixes two dates: the archive is checked, the folder as it
// stands is archived first, the archive is unpacked into a new folder
// beside the data folder and checked there, and then the two folders
// change places. A marker beside them, written before the swap, lets the
// next start finish a swap a crash interrupted.
#include "store/FileStore.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

namespace backup {

inline const QString kBackupsFolder = QStringLiteral("/Backups");
inline const QString kSettingsFile = QStringLiteral("/BackupSettings.txt");
inline const QString kManifestName = QStringLiteral("BrenvoyManifest.txt");
// The manifest's format; an archive of a later one is refused.
constexpr int kManifestFormat = 1;

struct Settings {
    QString folder; // empty: the Backups folder of the data folder
    int keep = 10;  // generations
    bool operator==(const Settings &) const = default;
};
Settings loadSettings(const store::FileStore &store);
store::FileResult saveSettings(const store::FileStore &store, const Settings &settings);
// Where the archives go, as a full path.
QString archiveFolder(const store::FileStore &store, const Settings &settings);

struct ManifestFile {
    QString path; // relative to the data folder, "/" separated, no leading "/"
    qint64 size = 0;
    QByteArray sha256; // hex
};
struct Manifest {
    int format = kManifestFormat;
    QString version; // the program's
    QDateTime made;
    int customers = 0;
    int ledgers = 0;
    std::vector<ManifestFile> files;
    QByteArray encode() const;
    static std::optional<Manifest> decode(const QByteArray &bytes);
};

// Heard now and then with the bytes done of all; false cancels (a backup
// only, before anything counts).
using Progress = std::function<void(qint64 done, qint64 total)>;

struct Made {
    QString error; // empty: made and checked
    QString archive; // full path
    int files = 0;
    qint64 bytes = 0; // of the data
    QStringList removed; // older generations taken away
    bool ok() const { return error.isEmpty(); }
};
// The data folder archived into `folder` as "Brenvoy-<yyyy-MM-dd-HHmmss><suffix>.zip",
// checked, and the generations past `keep` removed (oldest first).
Made makeBackup(const store::FileStore &store, const QString &folder, const QDateTime &now, const QString &version,
                int keep, const Progress &progress = {}, const QString &suffix = QString());

struct Checked {
    QString problem; // empty: every file as the manifest says
    Manifest manifest;
    bool ok() const { return problem.isEmpty(); }
};
// Reads the whole archive back against its manifest; `version` is the
// program's, an archive of a later one is refused.
// `progress` hears the bytes read back of all the archive's files.
Checked checkArchive(const QString &path, const QString &version, const Progress &progress = {});

struct ArchiveInfo {
    QString path;
    QDateTime made;
    qint64 size = 0;
    int customers = 0;
    int ledgers = 0;
    QString problem; // the manifest could not be read
};
// The archives of a folder, newest first, from their manifests alone.
std::vector<ArchiveInfo> listArchives(const QString &folder);

struct Restored {
    QString error;
    QString before; // the archive of the folder as it was
    bool ok() const { return error.isEmpty(); }
};
// The data folder made exactly the archive's content (see above). The
// store's folder is replaced on disk: the caller starts afresh on it.
Restored restoreArchive(const store::FileStore &store, const QString &archive, const QString &archivesFolder,
                        const QDateTime &now, const QString &version, const Progress &progress = {});
// Finishes a swap a crash left (called at the start, before the data
// folder is used); true when it finished one.
bool finishRestore(const QString &dataFolder);

// This program's version, "1.0.0".
QString currentVersion();
// "1.2.10" after "1.2.9".
bool isLaterVersion(const QString &version, const QString &than);

} // namespace backup
