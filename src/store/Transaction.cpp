#include "store/Transaction.h"
#include "store/TransactionMarker.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>

namespace store {

using namespace detail;

namespace {

// Names the store treats as one file are one key here.
QString nameKey(const QString &name)
{
    QString key = name;
    key.replace(u'\\', u'/');
    return key.toCaseFolded();
}

QString stagedName(size_t index)
{
    return kTransactionFolder + QStringLiteral("/%1.new").arg(index);
}

// One change made again from the marker. A write further out than the
// file now reaches (a later change of the same operation had cut the file
// before the crash) is filled up to its place first; that later change
// cuts it again.
FileResult redo(const FileStore &store, const Transaction::Change &c)
{
    switch (c.kind) {
    case Transaction::Change::Write: {
        const qint64 size = std::max<qint64>(store.fileSize(c.name), 0);
        if (c.offset > size) {
            if (FileResult r = store.writeBytes(c.name, size, QByteArray(c.offset - size, '\0')); !r)
                return r;
        }
        return store.writeBytes(c.name, c.offset, c.bytes, c.newLength);
    }
    case Transaction::Change::Replace:
        // Already in place when its staged file is gone.
        return store.fileExists(c.staged) ? store.renameDataFile(c.staged, c.name) : FileResult::success();
    case Transaction::Change::Remove:
        return store.removeFile(c.name);
    }
    return FileResult::success();
}

QString setAsideMarker(const FileStore &store)
{
    const QString base = QStringLiteral("/Transaction.damaged");
    QString name = base;
    for (int n = 2; store.fileExists(name); ++n)
        name = base + QString::number(n);
    return store.renameDataFile(kTransactionMarker, name) ? name : QString();
}

// The staged contents of the folder, with the marker when asked.
void clearFolder(const FileStore &store, bool marker)
{
    const QString folder = store.path(kTransactionFolder);
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        for (const QString &name : QDir(folder).entryList({QStringLiteral("*.new")}, QDir::Files | QDir::Hidden))
            store.killIfExists(kTransactionFolder + u'/' + name);
    }
    if (marker)
        store.killIfExists(kTransactionMarker);
}

} // namespace

Transaction::Transaction(const FileStore &store, QString kind) : m_store(store), m_kind(std::move(kind)) {}

Transaction::~Transaction()
{
    if (m_prepared && !m_done)
        abandon();
}

qint64 Transaction::size(const QString &name) const
{
    qint64 size = m_store.fileSize(name);
    for (size_t i : changesOf(name)) {
        const Change &c = m_changes[i];
        size = c.kind == Change::Remove ? -1 : c.kind == Change::Replace ? c.bytes.size() : c.newLength;
    }
    return size;
}

std::optional<QByteArray> Transaction::contents(const QString &name) const
{
    const qint64 onDisk = m_store.fileSize(name);
    std::optional<QByteArray> bytes;
    if (onDisk >= 0)
        bytes = onDisk > 0 ? m_store.readBytes(name, 0, onDisk) : QByteArray();
    for (size_t i : changesOf(name)) {
        const Change &c = m_changes[i];
        if (c.kind == Change::Remove) {
            bytes.reset();
        } else if (c.kind == Change::Replace) {
            bytes = c.bytes;
        } else {
            QByteArray b = bytes.value_or(QByteArray());
            b.replace(c.offset, std::min<qsizetype>(c.bytes.size(), b.size() - c.offset), c.bytes);
            b.resize(c.newLength, '\0');
            bytes = b;
        }
    }
    return bytes;
}

const std::vector<size_t> &Transaction::changesOf(const QString &name) const
{
    static const std::vector<size_t> none;
    const auto it = m_byName.constFind(nameKey(name));
    return it == m_byName.cend() ? none : *it;
}

void Transaction::add(Change c)
{
    m_byName[nameKey(c.name)].push_back(m_changes.size());
    m_changes.push_back(std::move(c));
}

void Transaction::replace(const QString &name, QByteArray content)
{
    Change c;
    c.kind = Change::Replace;
    c.name = name;
    c.newLength = content.size();
    c.bytes = std::move(content);
    c.part = m_part;
    add(std::move(c));
}

void Transaction::writeAt(const QString &name, qint64 offset, QByteArray bytes, qint64 newLength)
{
    const qint64 size = std::max<qint64>(this->size(name), 0);
    if (offset < 0 || offset > size) {
        // Writing past the end would leave a gap of unwritten records.
        if (m_problem.isEmpty())
            m_problem = QStringLiteral("%1 is shorter than the place written to").arg(name);
        return;
    }
    Change c;
    c.kind = Change::Write;
    c.name = name;
    c.offset = offset;
    c.newLength = newLength >= 0 ? newLength : std::max(size, offset + bytes.size());
    // Bytes the file already holds there are no change: a customer saved
    // as it was (every search begins with a save) writes and syncs nothing.
    if (c.newLength == size && changesOf(name).empty() && !bytes.isEmpty()
        && m_store.readBytes(name, offset, bytes.size()) == bytes)
        return;
    c.bytes = std::move(bytes);
    c.part = m_part;
    add(std::move(c));
}

void Transaction::append(const QString &name, int recordLength, const QByteArray &record)
{
    if (recordLength <= 0) {
        m_problem = QStringLiteral("the record length of %1 is not allowed").arg(name);
        return;
    }
    const qint64 at = std::max<qint64>(size(name), 0) / recordLength * recordLength;
    QByteArray padded = record.left(recordLength);
    padded.append(QByteArray(recordLength - padded.size(), '\0'));
    writeAt(name, at, padded, at + recordLength);
}

void Transaction::remove(const QString &name)
{
    Change c;
    c.kind = Change::Remove;
    c.name = name;
    c.part = m_part;
    add(std::move(c));
}

void Transaction::rename(const QString &from, const QString &to)
{
    const std::optional<QByteArray> content = contents(from);
    if (!content) {
        m_problem = QStringLiteral("%1 cannot be renamed").arg(from);
        return;
    }
    replace(to, *content);
    remove(from);
}

FileResult Transaction::prepare()
{
    if (m_prepared)
        return FileResult::success();
    if (!m_problem.isEmpty())
        return FileResult::failure(m_problem);
    if (m_store.fileExists(kTransactionMarker))
        return FileResult::failure(QStringLiteral("an earlier change could not be finished; it is finished when the "
                                                  "program next starts"));
    if (!m_store.makeFolder(kTransactionFolder))
        return FileResult::failure(QStringLiteral("the folder %1 cannot be made").arg(kTransactionFolder.mid(1)));
    // The staged contents are on the disk before the marker that names them.
    const bool replaces = std::any_of(m_changes.begin(), m_changes.end(), [](const Change &c) { return c.kind == Change::Replace; });
    if (replaces)
        m_store.beginDeferredSync();
    FileResult staged = FileResult::success();
    for (size_t i = 0; i < m_changes.size() && staged; ++i) {
        if (m_changes[i].kind != Change::Replace)
            continue;
        m_changes[i].staged = stagedName(i);
        staged = m_store.replaceFile(m_changes[i].staged, m_changes[i].bytes);
    }
    const FileResult synced = replaces ? m_store.endDeferredSync() : FileResult::success();
    if (!staged || !synced) {
        clearFolder(m_store, false);
        return FileResult::failure(!staged ? staged.error : synced.error);
    }
    if (FileResult r = m_store.replaceFile(kTransactionMarker, encodeMarker(m_kind, m_note, m_changes)); !r) {
        // A marker the disk did not confirm may still be there: it goes,
        // and nothing was changed.
        cleanUp();
        return FileResult::failure(r.error);
    }
    m_prepared = true;
    return FileResult::success();
}

FileResult Transaction::updateNote(QByteArray note)
{
    m_note = std::move(note);
    if (!m_prepared)
        return FileResult::success();
    return m_store.replaceFile(kTransactionMarker, encodeMarker(m_kind, m_note, m_changes));
}

void Transaction::abandon()
{
    if (m_prepared)
        cleanUp();
    m_done = true;
}

void Transaction::cleanUp() const
{
    m_store.killIfExists(kTransactionMarker);
    clearFolder(m_store, false);
}

FileResult Transaction::commit()
{
    if (m_done)
        return FileResult::failure(QStringLiteral("the change was already made or abandoned"));
    if (m_changes.empty() && m_problem.isEmpty() && !m_prepared) {
        m_done = true; // nothing to change: no marker, no sync
        return FileResult::success();
    }
    if (FileResult r = prepare(); !r) {
        m_done = true;
        return r;
    }
    m_done = true;
    std::vector<Before> before;
    before.reserve(m_changes.size());
    m_store.beginDeferredSync();
    for (size_t i = 0; i < m_changes.size(); ++i) {
        const Change &c = m_changes[i];
        Before b;
        b.length = m_store.fileSize(c.name);
        b.existed = b.length >= 0;
        b.length = std::max<qint64>(b.length, 0);
        const qint64 from = c.kind == Change::Write ? std::min(c.offset, b.length) : 0;
        if (b.length > from)
            b.bytes = m_store.readBytes(c.name, from, b.length - from);
        before.push_back(std::move(b));
        if (FileResult r = redo(m_store, c); !r) {
            m_failedPart = c.part;
            const bool undone = undo(before, i + 1);
            const FileResult synced = m_store.endDeferredSync();
            if (undone && synced) {
                cleanUp();
                return FileResult::failure(r.error);
            }
            return FileResult::unconfirmed(r.error);
        }
    }
    if (FileResult r = m_store.endDeferredSync(); !r)
        return FileResult::unconfirmed(r.error); // the marker stays: the next start makes them again
    cleanUp();
    return FileResult::success();
}

bool Transaction::undo(const std::vector<Before> &before, size_t applied) const
{
    bool ok = true;
    for (size_t i = applied; i-- > 0;) {
        const Change &c = m_changes[i];
        const Before &b = before[i];
        // A delete that left its file, or a replace whose new content is
        // still staged, never touched the file: nothing to put back.
        if ((c.kind == Change::Remove && m_store.fileExists(c.name))
            || (c.kind == Change::Replace && m_store.fileExists(c.staged)))
            continue;
        if (!b.existed) {
            ok = m_store.removeFile(c.name).ok && ok;
        } else if (c.kind == Change::Write) {
            const qint64 from = std::min(c.offset, b.length);
            ok = m_store.writeBytes(c.name, from, b.bytes, b.length).ok && ok;
        } else {
            ok = m_store.replaceFile(c.name, b.bytes).ok && ok;
        }
    }
    return ok;
}

FinishedWork finishInterruptedWork(const FileStore &store)
{
    FinishedWork out;
    if (!store.fileExists(kTransactionMarker)) {
        // Contents staged for a change whose marker was never written.
        clearFolder(store, false);
        return out;
    }
    const std::optional<QByteArray> bytes = store.readFile(kTransactionMarker);
    const std::optional<Marker> marker = bytes ? decodeMarker(*bytes) : std::nullopt;
    if (!marker) {
        out.setAside = setAsideMarker(store);
        if (out.setAside.isEmpty())
            out.result = FileResult::failure(QStringLiteral("a damaged note of unfinished work could not be set aside"));
        else
            clearFolder(store, false);
        return out;
    }
    out.kind = marker->kind;
    out.note = marker->note;
    store.beginDeferredSync();
    for (const Transaction::Change &c : marker->changes) {
        if (FileResult r = redo(store, c); !r) {
            (void)store.endDeferredSync();
            out.result = r; // the marker stays; the next start tries again
            return out;
        }
    }
    if (FileResult r = store.endDeferredSync(); !r) {
        out.result = r;
        return out;
    }
    clearFolder(store, true);
    return out;
}

} // namespace store
