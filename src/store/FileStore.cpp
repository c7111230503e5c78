// Names as the store's callers use them (resolved by NameResolver), and
// existence, with the silent restore from the backup folder.
#include "store/FileStore.h"
#include "store/StoreSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <cerrno>
#include <cmath>
#include <cstring>

#include <qplatformdefs.h>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace store {

using namespace detail;

QString FileStore::backupName(const QString &name)
{
    QString n = name;
    n.replace(u'\\', u'/');
    if (!n.startsWith(u'/'))
        n.prepend(u'/');
    return kBackupFolder + n;
}

FileStore::FileStore(const QString &programFolder)
    : m_names(QDir::cleanPath(QDir(programFolder).absolutePath())), m_syncFolder(syncFolder)
{
}

bool FileStore::isSafeNameComponent(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String(".") || text == QLatin1String(".."))
        return false;
    if (text.front().isSpace() || text.back().isSpace())
        return false;
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar c : text) {
        // A character outside Latin-1 cannot be kept in a record (it would be
        // stored as "?"), so it could never name the same file again.
        if (c.unicode() < 32 || c.unicode() == 127 || c.unicode() > 0xFF || forbidden.contains(c))
            return false;
    }
    return true;
}

QString FileStore::path(const QString &name) const
{
    return m_names.resolve(name, false);
}

bool FileStore::fileExists(const QString &name) const
{
    const QString p = path(name);
    return !p.isEmpty() && QFileInfo(p).isFile();
}

bool FileStore::dataFileExists(const QString &name) const
{
    if (fileExists(name))
        return true;
    const QString backup = backupName(name);
    if (!fileExists(backup))
        return false;
    // A restore is written like any other save, so a crash while restoring
    // never leaves half a file under the real name.
    return bool(copyFile(backup, name));
}

} // namespace store
