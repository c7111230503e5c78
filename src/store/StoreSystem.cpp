#include "store/StoreSystem.h"

#include <qplatformdefs.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace store::detail {

// Entries of a folder by their name in lower case, so many names are
// matched case-insensitively with one listing.
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

// The system's own words for the last failure, with a fallback when it
// gives none.
QString systemReason(const QString &fallback)
{
    const int error = errno;
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : fallback;
}

bool syncHandle(int handle)
{
#ifdef Q_OS_UNIX
    return handle < 0 || ::fsync(handle) == 0;
#else
    Q_UNUSED(handle);
    return true;
#endif
}

// A rename is atomic but only durable once the folder holding it is synced.
bool syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    const int error = errno; // the reason, not whatever close leaves
    ::close(fd);
    errno = error;
    return ok;
#else
    Q_UNUSED(folder);
    return true;
#endif
}


} // namespace store::detail
