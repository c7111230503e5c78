#include "store/StoreSystem.h"

#include <qplatformdefs.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace store::detail {

// Entries of a folder by their name in lower case, so many names are
// matched case-insensitively with one listing.
QHash<QString, QString> listByFoldedName(const QString &folder)
{
    QHash<QString, QString> names;
    // Two names that differ only in letter case: the first in name order,
    // whatever order the system lists them in.
    auto note = [&names](const QString &name) {
        const auto it = names.constFind(name.toCaseFolded());
        if (it == names.cend())
            names.insert(name.toCaseFolded(), name);
        else if (name < *it)
            names[name.toCaseFolded()] = name;
    };
#ifdef Q_OS_UNIX
    // The names alone, straight from the system: the data boxes' folder
    // holds a folder per customer, and a listing that looks at and sorts
    // 32,767 entries was half of the start.
    if (DIR *dir = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                note(QFile::decodeName(entry->d_name));
        }
        ::closedir(dir);
    }
#else
    for (const QString &e : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort))
        note(e);
#endif
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
