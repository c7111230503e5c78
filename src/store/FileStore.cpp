#include "store/FileStore.h"

#include <qplatformdefs.h>
#include <cerrno>
#include <fcntl.h>


#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <cerrno>
#include <cmath>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif


namespace store {

namespace {

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

} // namespace

QString FileStore::backupName(const QString &name)
{
    QString n = name;
    n.replace(u'\\', u'/');
    if (!n.startsWith(u'/'))
        n.prepend(u'/');
    return kBackupFolder + n;
}

FileStore::FileStore(const QString &programFolder)
    : m_syncFolder(syncFolder), m_root(QDir::cleanPath(QDir(programFolder).absolutePath()))
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
    return resolve(name, false);
}

QString FileStore::resolve(const QString &name, bool wantFolder) const
{
    QString normal = name;
    normal.replace(u'\\', u'/');
    const QStringList parts = normal.split(u'/', Qt::SkipEmptyParts);
    QString current = m_root;
    bool exists = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return QString();
        const QString exact = current + u'/' + part;
        if (!exists) {
            current = exact;
            continue;
        }
        // Every component but the last must be a folder, and so must the
        // last when a folder is wanted: the executable "brenvoy" is no match
        // for the data folder "/Brenvoy".
        const bool needFolder = wantFolder || i + 1 < parts.size();
        const QFileInfo exactInfo(exact);
        if (exactInfo.exists() && (!needFolder || exactInfo.isDir())) {
            current = exact;
            continue;
        }
        const QString match = caseMatch(current, part, needFolder);
        if (match.isEmpty()) {
            current = exact;
            exists = false; // nothing below a missing entry exists either
        } else {
            current += u'/' + match;
        }
    }
    return current;
}

namespace {
// A folder's modification time to the nanosecond; -1 where it cannot be had.
qint64 folderStamp(const QString &folder)
{
#ifdef Q_OS_UNIX
    QT_STATBUF st;
    if (QT_STAT(QFile::encodeName(folder).constData(), &st) != 0)
        return -1;
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#else
    Q_UNUSED(folder);
    return -1;
#endif
}
} // namespace

QString FileStore::caseMatch(const QString &folder, const QString &name, bool needFolder) const
{
    const qint64 stamp = folderStamp(folder);
    auto cached = m_listings.find(folder);
    if (stamp >= 0 && (cached == m_listings.end() || cached->stamp != stamp)) {
        FolderListing listing;
        listing.stamp = stamp;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            const QString entry = it.fileName();
            QString &first = listing.byFolded[entry.toCaseFolded()];
            if (first.isEmpty() || entry < first)
                first = entry;
        }
        cached = m_listings.insert(folder, std::move(listing));
    }
    if (stamp >= 0) {
        const QString match = cached->byFolded.value(name.toCaseFolded());
        if (match.isEmpty() || !needFolder || QFileInfo(folder + u'/' + match).isDir())
            return match;
    }
    // No time to keep a listing by, or the first spelling is a file where a
    // folder is wanted (rare): one pass over the folder for this lookup.
    QString first;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString entry = it.fileName();
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && (first.isEmpty() || entry < first)
            && (!needFolder || it.fileInfo().isDir()))
            first = entry;
    }
    return first;
}

void FileStore::noteAdded(const QString &path) const
{
    const QFileInfo info(path);
    auto cached = m_listings.find(info.absolutePath());
    if (cached == m_listings.end())
        return;
    const QString entry = info.fileName();
    QString &first = cached->byFolded[entry.toCaseFolded()];
    if (first.isEmpty() || entry < first)
        first = entry;
    cached->stamp = folderStamp(info.absolutePath());
}

void FileStore::noteRemoved(const QString &path) const
{
    // Another spelling may remain: the folder is listed again when next needed.
    m_listings.remove(QFileInfo(path).absolutePath());
}

bool FileStore::fileExists(const QString &name) const
{
    const QString p = path(name);
    return !p.isEmpty() && QFileInfo(p).isFile();
}

bool FileStore::folderExists(const QString &name) const
{
    const QString p = resolve(name, true);
    return !p.isEmpty() && QFileInfo(p).isDir();
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

std::int16_t FileStore::recordCount(const QString &name, int recordLength) const
{
    if (recordLength <= 0 || !dataFileExists(name))
        return 0;
    return recordCountOf(QFileInfo(path(name)).size(), recordLength);
}

std::int16_t FileStore::recordCountOf(qint64 fileSize, int recordLength)
{
    if (recordLength <= 0)
        return 0;
    const double quotient = double(fileSize) / double(recordLength);
    const double rounded = std::nearbyint(quotient); // ties to even
    return std::int16_t(std::min(rounded, 32767.0));
}

namespace {
// The whole of an open file, read unbuffered into one block of its size:
// readAll on a buffered file copies every byte twice, and the payment list
// reads thousands of files at a time.
QByteArray readToEnd(QFile &f)
{
    QByteArray bytes(qMax<qint64>(f.size(), 0), Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const qint64 n = f.read(bytes.data() + got, bytes.size() - got);
        if (n <= 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    // A file that grew while being read is read on to its end.
    bytes += f.readAll();
    return bytes;
}

QByteArray wholeFile(const QString &path)
{
#ifdef Q_OS_UNIX
    // Straight to the system: QFile's own checks on opening cost as much as
    // reading a ledger, and the payment list opens five thousand of them.
    const int fd = QT_OPEN(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QByteArray();
    QT_STATBUF st;
    QByteArray bytes(QT_FSTAT(fd, &st) == 0 ? qint64(st.st_size) : 0, Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size())
            bytes.resize(got + 4096); // grew since, or no size known: read on
        const ssize_t n = QT_READ(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    QT_CLOSE(fd);
    bytes.truncate(got);
    return bytes;
#else
    QFile f(path);
    return f.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? readToEnd(f) : QByteArray();
#endif
}
} // namespace

std::optional<QByteArray> FileStore::readFile(const QString &name) const
{
    if (!dataFileExists(name))
        return std::nullopt;
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    return readToEnd(f);
}

FileResult FileStore::replaceFile(const QString &name, const QByteArray &content) const
{
    if (m_writeFault) {
        if (std::optional<QString> why = m_writeFault(name))
            return FileResult::failure(*why);
    }
    const QString p = path(name);
    if (p.isEmpty())
        return FileResult::failure(QStringLiteral("the name %1 is not allowed").arg(name));
    if (QFileInfo(p).isDir())
        return FileResult::failure(QStringLiteral("a folder of that name is in the way"));
    QSaveFile f(p);
    if (!f.open(QIODevice::WriteOnly))
        return FileResult::failure(f.errorString());
    if (f.write(content) != content.size() || !f.flush()) {
        const QString why = f.errorString();
        f.cancelWriting();
        return FileResult::failure(why.isEmpty() ? QStringLiteral("the disk did not take the data") : why);
    }
    if (!syncFile(f.handle())) {
        const QString why = systemReason(QStringLiteral("the disk did not take the data"));
        f.cancelWriting();
        return FileResult::failure(why);
    }
    if (!f.commit())
        return FileResult::failure(f.errorString());
    noteAdded(p);
    // The file already holds the new content: only its arrival on the disk
    // is unconfirmed, which is what the caller must say.
    if (!syncFolderOf(QFileInfo(p).absolutePath()))
        return FileResult::unconfirmed(systemReason(QStringLiteral("the folder could not be synced to disk")));
    return FileResult::success();
}

FileResult FileStore::saveDataFile(const QString &name, const QByteArray &content) const
{
    FileResult result = replaceFile(name, content);
    if (result)
        killIfExists(backupName(name));
    return result;
}

FileResult FileStore::copyFile(const QString &from, const QString &to) const
{
    const QString source = path(from);
    QFile f(source);
    if (source.isEmpty() || !f.open(QIODevice::ReadOnly))
        return FileResult::failure(f.errorString());
    const QByteArray content = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return FileResult::failure(f.errorString());
    return replaceFile(to, content);
}

QByteArray FileStore::readRecord(const QString &name, int recordLength, int recordNumber) const
{
    if (recordLength <= 0 || recordNumber < 1 || !dataFileExists(name))
        return QByteArray();
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    if (!f.seek(qint64(recordNumber - 1) * recordLength))
        return QByteArray();
    return f.read(recordLength);
}

FileResult FileStore::writeRecord(const QString &name, int recordLength, int recordNumber,
                                  const QByteArray &record) const
{
    const QString p = path(name);
    if (p.isEmpty() || recordLength <= 0 || recordNumber < 1)
        return FileResult::failure(QStringLiteral("the record %1 of %2 is not allowed").arg(recordNumber).arg(name));
    dataFileExists(name); // a missing file with a backup copy is restored first
    QByteArray padded = record.left(recordLength);
    padded.append(QByteArray(recordLength - padded.size(), '\0'));
    return writeBytes(name, qint64(recordNumber - 1) * recordLength, padded);
}

qint64 FileStore::fileSize(const QString &name) const
{
    const QFileInfo info(path(name));
    return info.isFile() ? info.size() : -1;
}

QByteArray FileStore::readBytes(const QString &name, qint64 offset, qint64 length) const
{
    QFile f(path(name));
    if (offset < 0 || length <= 0 || !f.open(QIODevice::ReadOnly) || !f.seek(offset))
        return QByteArray();
    return f.read(length);
}

FileResult FileStore::writeBytes(const QString &name, qint64 offset, const QByteArray &bytes, qint64 newLength) const
{
    if (m_writeFault) {
        if (std::optional<QString> why = m_writeFault(name))
            return FileResult::failure(*why);
    }
    const QString p = path(name);
    if (p.isEmpty() || offset < 0)
        return FileResult::failure(QStringLiteral("the name %1 is not allowed").arg(name));
    QFile f(p);
    const bool existed = f.exists();
    if (!f.open(QIODevice::ReadWrite))
        return FileResult::failure(f.errorString());
    if (!existed)
        noteAdded(p);
    // Writing past the end would leave a gap of unwritten records.
    if (offset > f.size())
        return FileResult::failure(QStringLiteral("%1 is shorter than the place written to").arg(name));
    if (!f.seek(offset) || f.write(bytes) != bytes.size() || !f.flush())
        return FileResult::failure(f.errorString());
    if (newLength >= 0 && !f.resize(newLength))
        return FileResult::failure(f.errorString());
    if (!syncFile(f.handle()))
        return FileResult::failure(systemReason(QStringLiteral("the disk did not confirm the write")));
    return FileResult::success();
}

bool FileStore::syncFile(int handle) const
{
    return m_deferSync || syncHandle(handle);
}

bool FileStore::syncFolderOf(const QString &path) const
{
    return m_deferSync || m_syncFolder(path);
}

FileResult FileStore::endDeferredSync() const
{
    if (!m_deferSync)
        return FileResult::success();
    m_deferSync = false;
#ifdef Q_OS_LINUX
    // One sync of the file system holding the program folder covers every
    // file and folder written since the beginning.
    const int fd = ::open(QFile::encodeName(m_root).constData(), O_RDONLY | O_DIRECTORY);
    const bool ok = fd >= 0 && ::syncfs(fd) == 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    errno = error;
    if (!ok)
        return FileResult::unconfirmed(systemReason(QStringLiteral("the disk did not confirm the writes")));
    // The folder sync seam still hears of it, so a failing disk in a test
    // fails here as it would.
    if (!m_syncFolder(m_root))
        return FileResult::unconfirmed(systemReason(QStringLiteral("the folder could not be synced to disk")));
#elif defined(Q_OS_UNIX)
    ::sync();
#endif
    return FileResult::success();
}

qint64 FileStore::wholeRecords(const QString &name, int recordLength) const
{
    const qint64 size = recordLength > 0 ? fileSize(name) : -1;
    return size > 0 ? size / recordLength : 0;
}

FileResult FileStore::appendRecord(const QString &name, int recordLength, const QByteArray &record) const
{
    if (recordLength <= 0)
        return FileResult::failure(QStringLiteral("the record length of %1 is not allowed").arg(name));
    dataFileExists(name); // a missing file with a backup copy is restored first
    const qint64 at = wholeRecords(name, recordLength) * recordLength;
    QByteArray padded = record.left(recordLength);
    padded.append(QByteArray(recordLength - padded.size(), '\0'));
    return writeBytes(name, at, padded, at + recordLength);
}

std::vector<std::pair<QString, QByteArray>> FileStore::readFiles(const QString &folder, const QString &suffix) const
{
    std::vector<std::pair<QString, QByteArray>> files;
    const QString p = resolve(folder, true);
    if (p.isEmpty() || !QFileInfo(p).isDir())
        return files;
    QDirIterator it(p, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        if (!name.endsWith(suffix, Qt::CaseInsensitive))
            continue;
        files.emplace_back(name, wholeFile(path));
    }
    return files;
}

void FileStore::killIfExists(const QString &name) const
{
    const QString p = path(name);
    if (!p.isEmpty() && QFileInfo(p).isFile() && QFile::remove(p))
        noteRemoved(p);
}

void FileStore::deleteDataFile(const QString &name) const
{
    killIfExists(backupName(name));
    killIfExists(name);
}

FileResult FileStore::renameDataFile(const QString &oldName, const QString &newName) const
{
    const QString from = path(oldName);
    const QString to = path(newName);
    if (from.isEmpty() || to.isEmpty() || !QFileInfo(from).isFile())
        return FileResult::failure(QStringLiteral("%1 cannot be renamed").arg(oldName));
#ifdef Q_OS_UNIX
    // rename(2) replaces the target in one step, so the new name always
    // holds either the old or the new file.
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return FileResult::failure(QString::fromLocal8Bit(strerror(errno)));
#else
    QFile::remove(to);
    if (!QFile::rename(from, to))
        return FileResult::failure(QStringLiteral("%1 cannot be renamed").arg(oldName));
#endif

    syncFolderOf(QFileInfo(to).absolutePath());
    killIfExists(oldName);
    return FileResult::success();
}

bool FileStore::makeFolder(const QString &name) const
{
    const QString p = resolve(name, true);
    if (p.isEmpty())
        return false;
    const QFileInfo info(p);
    if (info.isDir())
        return true;
    if (info.exists())
        return false;
    return QDir().mkdir(p);
}

FileResult FileStore::makeFolders(const QStringList &names) const
{
    for (const QString &f : names) {
        if (!makeFolder(f))
            return FileResult::failure(QStringLiteral("the folder %1 cannot be made").arg(f));
    }
    return FileResult::success();
}

QString FileStore::makeFolderTrees(const QString &folder, const QStringList &children,
                                   const QStringList &subfolders, bool lookInside, const Progress &progress) const
{
    if (children.isEmpty())
        return QString();
    const QString root = path(folder);
    if (root.isEmpty())
        return folder;
    QHash<QString, QString> existing = listByFoldedName(root);
    int made = 0, done = 0;
    const int total = int(children.size());
    for (const QString &child : children) {
        if (++done % 256 == 0 && made > 0 && progress)
            progress(done, total);
        // A child that is not a plain file name never becomes a path: "../x"
        // must not reach outside the program folder.
        if (!isSafeNameComponent(child))
            continue;
        const QString folded = child.toCaseFolded();
        if (!lookInside && existing.contains(folded))
            continue; // there already, as a folder or a file: taken as it is
        const QString childPath = root + u'/' + existing.value(folded, child);
        const QFileInfo info(childPath);
        if (info.isFile())
            continue; // a plain file of that name: left alone
        if (!info.exists()) {
            // A new folder: none of its subfolders can exist yet.
            if (!QDir().mkdir(childPath))
                return folder + u'/' + child;
            ++made;
            existing.insert(folded, child);
            for (const QString &sub : subfolders) {
                if (!QDir().mkdir(childPath + u'/' + sub))
                    return folder + u'/' + child + u'/' + sub;
            }
            continue;
        }
        // The usual case is every subfolder already there: one look each,
        // and a listing only when one is missing.
        QHash<QString, QString> inside;
        bool listed = false;
        for (const QString &sub : subfolders) {
            if (QFileInfo(childPath + u'/' + sub).isDir())
                continue;
            if (!listed) {
                inside = listByFoldedName(childPath);
                listed = true;
            }
            if (!ensureFolder(childPath + u'/' + inside.value(sub.toCaseFolded(), sub)))
                return folder + u'/' + child + u'/' + sub;
        }
    }
    return QString();
}

} // namespace store
