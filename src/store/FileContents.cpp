// Whole files: read (one or a folder's), the durable atomic replace, copy,
// delete, rename, and the syncs (one by one, or deferred to one for a run
// of many writes).
#include "store/FileStore.h"
#include "store/StoreSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include <qplatformdefs.h>
#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace store {

using namespace detail;

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

#ifdef Q_OS_UNIX
// Reads an open file to its end into `buffer` from its start, growing it
// only when the file fills it (it grew since it was measured); the bytes
// read.
qsizetype readToEnd(int fd, QByteArray &buffer)
{
    qsizetype got = 0;
    for (;;) {
        if (got == buffer.size())
            buffer.resize(std::max<qsizetype>(4096, buffer.size() * 2));
        const ssize_t n = QT_READ(fd, buffer.data() + got, size_t(buffer.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return got;
        got += n;
    }
}
#endif

QByteArray wholeFile(const QString &path)
{
#ifdef Q_OS_UNIX
    // Straight to the system: QFile's own checks on opening cost as much as
    // reading a ledger, and the payment list opens five thousand of them.
    const int fd = QT_OPEN(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QByteArray();
    QT_STATBUF st;
    // One byte more than the file holds, so the read that finds its end
    // needs no larger buffer.
    QByteArray bytes(QT_FSTAT(fd, &st) == 0 ? qint64(st.st_size) + 1 : 4096, Qt::Uninitialized);
    const qsizetype got = readToEnd(fd, bytes);
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
    m_names.noteAdded(p);
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
    const int fd = ::open(QFile::encodeName(m_names.root()).constData(), O_RDONLY | O_DIRECTORY);
    const bool ok = fd >= 0 && ::syncfs(fd) == 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    errno = error;
    if (!ok)
        return FileResult::unconfirmed(systemReason(QStringLiteral("the disk did not confirm the writes")));
    // The folder sync seam still hears of it, so a failing disk in a test
    // fails here as it would.
    if (!m_syncFolder(m_names.root()))
        return FileResult::unconfirmed(systemReason(QStringLiteral("the folder could not be synced to disk")));
#elif defined(Q_OS_UNIX)
    ::sync();
#endif
    return FileResult::success();
}

void FileStore::killIfExists(const QString &name) const
{
    const QString p = path(name);
    if (!p.isEmpty() && QFileInfo(p).isFile() && QFile::remove(p))
        m_names.noteRemoved(p);
}

FileResult FileStore::removeFile(const QString &name) const
{
    const QString p = path(name);
    if (p.isEmpty())
        return FileResult::failure(QStringLiteral("the name %1 is not allowed").arg(name));
    if (!QFileInfo(p).isFile())
        return FileResult::success();
    if (m_writeFault) {
        if (std::optional<QString> why = m_writeFault(name))
            return FileResult::failure(*why);
    }
    QFile f(p);
    if (!f.remove())
        return FileResult::failure(f.errorString());
    m_names.noteRemoved(p);
    return FileResult::success();
}

void FileStore::deleteDataFile(const QString &name) const
{
    killIfExists(backupName(name));
    killIfExists(name);
}

FileResult FileStore::renameDataFile(const QString &oldName, const QString &newName) const
{
    if (m_writeFault) {
        if (std::optional<QString> why = m_writeFault(newName))
            return FileResult::failure(*why);
    }
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

bool FileStore::forEachRecordBlock(const QString &name, int recordLength, const RecordVisitor &visit) const
{
    if (recordLength <= 0 || !dataFileExists(name))
        return false;
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly | QIODevice::Unbuffered) && readRecordBlocks(f, recordLength, visit);
}

bool FileStore::readRecordBlocks(QIODevice &file, int recordLength, const RecordVisitor &visit)
{
    if (recordLength <= 0)
        return false;
    // About 64 KiB of whole records in a buffer the thread keeps: fresh
    // memory for every read would cost more than the reading. A visitor
    // that reads another file this way gets a buffer of its own.
    const qsizetype perBlock = std::max<qsizetype>(1, (qsizetype(1) << 16) / recordLength);
    const qsizetype blockBytes = perBlock * recordLength;
    thread_local QByteArray kept;
    thread_local int depth = 0;
    QByteArray own;
    QByteArray &buffer = depth == 0 ? kept : own;
    if (buffer.size() < blockBytes)
        buffer.resize(blockBytes);
    ++depth;
    const auto done = qScopeGuard([] { --depth; });
    qsizetype first = 0;
    for (;;) {
        qsizetype got = 0;
        while (got < blockBytes) {
            const qint64 n = file.read(buffer.data() + got, blockBytes - got);
            if (n < 0)
                return false;
            if (n == 0)
                break;
            got += n;
        }
        const qsizetype count = got / recordLength;
        if (count > 0)
            visit(buffer.constData(), count, first);
        first += count;
        if (got < blockBytes)
            return true;
    }
}

void FileStore::forEachFile(const QString &folder, const QString &suffix, const FileVisitor &visit) const
{
    const QString p = m_names.resolve(folder, true);
    if (p.isEmpty() || !QFileInfo(p).isDir())
        return;
#ifdef Q_OS_UNIX
    // Straight to the system, four calls a file as a plain read loop makes
    // them (open, read, the read that finds the end, close), into one
    // buffer: the payment list reads five thousand ledgers this way, and
    // every further call or fresh allocation a file costs as much as the
    // reading.
    DIR *dir = ::opendir(QFile::encodeName(p).constData());
    if (!dir)
        return;
    const auto closing = qScopeGuard([dir] { ::closedir(dir); });
    const QByteArray base = QFile::encodeName(p) + '/';
    QByteArray buffer(qsizetype(1) << 16, Qt::Uninitialized);
    while (const dirent *entry = ::readdir(dir)) {
        const bool maybeFile = entry->d_type == DT_REG || entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
        if (!maybeFile)
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (!name.endsWith(suffix, Qt::CaseInsensitive))
            continue;
        const int fd = QT_OPEN((base + entry->d_name).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        QT_STATBUF st;
        if (entry->d_type != DT_REG && (QT_FSTAT(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
            QT_CLOSE(fd);
            continue;
        }
        const qsizetype got = readToEnd(fd, buffer);
        QT_CLOSE(fd);
        visit(name, QByteArray::fromRawData(buffer.constData(), got));
    }
#else
    QDirIterator it(p, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            visit(name, wholeFile(path));
    }
#endif
}

} // namespace store
