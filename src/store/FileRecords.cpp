// Record files: counts, a record read or written in place, bytes at an
// offset, and appends after the whole records.
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
        m_names.noteAdded(p);
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

qint64 FileStore::wholeRecords(const QString &name, int recordLength) const
{
    const qint64 size = recordLength > 0 ? fileSize(name) : -1;
    return size > 0 ? size / recordLength : 0;
}

} // namespace store
