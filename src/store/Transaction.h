#pragma once
// Changes to several files made as one. An operation stages what it will
// do to each file (replace it whole, write bytes at a place, append
// records, delete it, rename it), then commits:
//
// 1. The new contents of whole files go to "/Transaction" under numbered
//    names, and the marker "/Transaction/Commit.pending" (every change in
//    order, the bytes of each write, the operation's own note) is written
//    and synced. Until it is there, nothing has changed.
// 2. The changes are made in order, each file's old bytes kept in memory
//    first. A failure puts every file back from them at once and removes
//    the marker: the operation did nothing.
// 3. One sync of the file system makes the changes and their folder
//    entries durable; the marker goes.
//
// A crash after step 1 leaves the marker, and the start of the program
// (the only place that looks) makes every change again in order: each is
// written to fully determined bytes, so making it twice gives the same
// files. A marker that does not hold together is set aside for a person
// and nothing is written from it. While a marker is left (a failure whose
// undo failed as well), no new change is begun.
#include "store/FileStore.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace store {

inline const QString kTransactionFolder = QStringLiteral("/Transaction");
inline const QString kTransactionMarker = QStringLiteral("/Transaction/Commit.pending");

class Transaction {
public:
    // `kind` names the operation as the user is told of it ("a batch of
    // payments"): the start hands it back, with the note, when it finishes
    // one.
    Transaction(const FileStore &store, QString kind);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    const FileStore &store() const { return m_store; }

    // The operation's own account of itself (what it posted), kept in the
    // marker and handed back by the start when it finishes the change.
    void setNote(QByteArray note) { m_note = std::move(note); }
    const QByteArray &note() const { return m_note; }
    // Changes staged from now on belong to this item of the operation (an
    // account of a run): a failure says which.
    void setPart(int part) { m_part = part; }

    // A file as the changes staged so far leave it: its length (-1 when
    // missing) and its bytes (nothing when missing). The file's backup copy
    // is not looked at; restore first where the operation means to.
    qint64 size(const QString &name) const;
    std::optional<QByteArray> contents(const QString &name) const;

    void replace(const QString &name, QByteArray content);
    // Bytes at an offset no further than the file's end (no gap), the file
    // then cut to `newLength` when that is not negative; a missing file is
    // created.
    void writeAt(const QString &name, qint64 offset, QByteArray bytes, qint64 newLength = -1);
    // After the file's whole records (a torn tail is written over),
    // filled out to a whole record.
    void append(const QString &name, int recordLength, const QByteArray &record);
    void remove(const QString &name);
    void rename(const QString &from, const QString &to);
    bool isEmpty() const { return m_changes.empty(); }

    // Step 1 alone, for an operation that has something to do between the
    // marker and the changes (printing the invoice it posts): from here on
    // the changes are made, at the commit or at the next start, unless the
    // operation abandons them.
    FileResult prepare();
    // The note rewritten in the marker after prepare.
    FileResult updateNote(QByteArray note);
    // Before the commit: the marker and the staged contents go, nothing made.
    void abandon();
    // A failure's `replaced` says the files could not be put back (or the
    // disk did not confirm them): the marker stays for the next start, and
    // the caller must not say nothing was written.
    FileResult commit();
    // The part the change that failed belonged to; -1 for none.
    int failedPart() const { return m_failedPart; }

    struct Change {
        enum Kind : quint8 { Write = 1, Replace = 2, Remove = 3 };
        Kind kind = Write;
        QString name;
        qint64 offset = 0;
        qint64 newLength = 0;
        QByteArray bytes; // what is written; the new content of a replace
        QString staged;   // where a replace's content waits
        int part = -1;
    };

private:
    struct Before {
        bool existed = false;
        qint64 length = 0;
        QByteArray bytes; // from the change's offset to the old end
    };
    void add(Change c);
    const std::vector<size_t> &changesOf(const QString &name) const;
    bool undo(const std::vector<Before> &before, size_t applied) const;
    void cleanUp() const;

    const FileStore &m_store;
    QString m_kind;
    QByteArray m_note;
    std::vector<Change> m_changes;
    QHash<QString, std::vector<size_t>> m_byName; // a file's changes, in order
    QString m_problem; // a change that could never be made, found while staging
    int m_part = -1;
    int m_failedPart = -1;
    bool m_prepared = false;
    bool m_done = false;
};

// What the start found and did.
struct FinishedWork {
    QString kind; // empty: nothing was left
    QByteArray note;
    FileResult result = FileResult::success();
    QString setAside; // the new name of a damaged marker
    bool any() const { return !kind.isEmpty() || !setAside.isEmpty() || !result; }
};
// Makes again every change of a marker a crash left; called once, at the
// start of the program, before anything else reads the files.
FinishedWork finishInterruptedWork(const FileStore &store);

} // namespace store
