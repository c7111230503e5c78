#include "customers/AccountStore.h"

#include "customers/AccountRules.h"
#include "customers/CustomerFile.h"

#include <QDataStream>
#include <QIODevice>

#include "base/Clock.h"
#include "base/ValueList.h"
#include "store/RecordFiles.h"

using namespace base;
using namespace store;

namespace customers {

namespace {

const QString kMarker = QStringLiteral("/RemoveCustomer.pending");
// The temporary files of a removal, each becoming the file beside it.
struct Replacement {
    QString temp;
    QString target;
    int length;
    bool dropBackup; // the customer file's backup copy is left as it was
};
const Replacement kReplacements[] = {
    {QStringLiteral("/CUSTOMER.TMP"), kCustomerFile, CustomerRecord::kLength, false},
    {QStringLiteral("/Temp.txt"), kCycleFile, CycleRecord::kLength, true},
    {QStringLiteral("/ContractTemp.txt"), kContractFile, ContractRecord::kLength, true},
};

} // namespace

AccountStore::AccountStore(const FileStore &store, const Clock &clock, const QLocale &locale)
    : m_store(store), m_clock(clock), m_locale(locale)
{
}

int AccountStore::customerCount() const
{
    return m_store.recordCount(kCustomerFile, CustomerRecord::kLength);
}

CustomerRecord AccountStore::readCustomer(int n) const
{
    return CustomerRecord::decode(m_store.readRecord(kCustomerFile, CustomerRecord::kLength, n));
}

CycleRecord AccountStore::readCycle(int n) const
{
    return CycleRecord::decode(m_store.readRecord(kCycleFile, CycleRecord::kLength, n));
}

ContractRecord AccountStore::readContract(int n) const
{
    return ContractRecord::decode(m_store.readRecord(kContractFile, ContractRecord::kLength, n), m_clock.now(),
                                  m_locale);
}

bool AccountStore::isAcctNoTaken(const QString &acctNo, int current) const
{
    return AcctNoIndex(CustomerFile::read(m_store)).isTaken(acctNo, current);
}

std::vector<CustomerRecord> AccountStore::readAllCustomers() const
{
    return readAllRecords<CustomerRecord>(m_store, kCustomerFile);
}

ContractRecord AccountStore::defaultContract(const ContractRecord *before) const
{
    return ContractRecord::defaults(m_clock.now(), m_locale, before);
}

namespace {

const QString kWriteMarker = QStringLiteral("/WriteAccount.pending");

// One file's part of an account write: the bytes going in at an offset, and
// what the file held there before, so the write can be undone.
struct FilePart {
    QString file;
    qint64 offset = 0;
    QByteArray bytes;
    bool existed = false;
    qint64 oldLength = 0;
    QByteArray oldBytes;
};

QByteArray encodeUndo(const std::vector<FilePart> &parts)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << quint32(parts.size());
    for (const FilePart &p : parts)
        s << p.file << p.offset << p.existed << p.oldLength << p.oldBytes;
    return out;
}

std::optional<std::vector<FilePart>> decodeUndo(const QByteArray &in)
{
    QDataStream s(in);
    s.setVersion(QDataStream::Qt_6_0);
    quint32 count = 0;
    s >> count;
    if (count > 3)
        return std::nullopt;
    std::vector<FilePart> parts(count);
    for (FilePart &p : parts)
        s >> p.file >> p.offset >> p.existed >> p.oldLength >> p.oldBytes;
    if (s.status() != QDataStream::Ok)
        return std::nullopt;
    return parts;
}

// Puts every file back as it was: the old bytes over the new, the old
// length, and a file that did not exist taken away again.
FileResult undo(const FileStore &store, const std::vector<FilePart> &parts)
{
    for (auto p = parts.rbegin(); p != parts.rend(); ++p) {
        if (!p->existed) {
            store.killIfExists(p->file);
            continue;
        }
        if (store.fileSize(p->file) < 0)
            continue; // gone since: nothing of the write is left in it
        if (FileResult r = store.writeBytes(p->file, p->offset, p->oldBytes, p->oldLength); !r)
            return r;
    }
    return FileResult::success();
}

} // namespace

// The three records of one account go in together or not at all: what each
// file holds where the write goes is kept first in a small marker file
// (synced), then the three writes are made; on a failure, or on the next
// start after a crash, the marker puts the files back as they were.
FileResult AccountStore::writeAccount(int n, const CustomerRecord &customer, const ContractRecord &contract,
                                      const CycleRecord &cycle) const
{
    if (const std::optional<QString> problem = unstorableText(customer, cycle))
        return FileResult::failure(*problem);
    recoverPending();
    // Side files shorter than the customer file are filled out with default
    // records first, so record n really is customer n's.
    auto part = [&](const QString &file, int length, const QByteArray &record, const QByteArray &filler) {
        m_store.dataFileExists(file); // a missing file with a backup copy is restored first
        const int count = m_store.recordCount(file, length);
        FilePart p;
        p.file = file;
        const int first = filler.isEmpty() ? n : std::min(n, count + 1);
        p.offset = qint64(first - 1) * length;
        for (int i = first; i < n; ++i)
            p.bytes += filler;
        p.bytes += record;
        p.oldLength = m_store.fileSize(file);
        p.existed = p.oldLength >= 0;
        p.oldLength = std::max<qint64>(p.oldLength, 0);
        p.oldBytes = m_store.readBytes(file, p.offset, p.bytes.size());
        return p;
    };
    const std::vector<FilePart> parts = {
        part(kCustomerFile, CustomerRecord::kLength, customer.encode(), QByteArray()),
        part(kContractFile, ContractRecord::kLength, contract.encode(), defaultContract().encode()),
        part(kCycleFile, CycleRecord::kLength, cycle.encode(), CycleRecord().encode()),
    };
    for (const FilePart &p : parts) {
        // A record further out than one past the end would leave a gap.
        if (p.offset > p.oldLength)
            return FileResult::failure(QStringLiteral("record %1 lies past the end of %2").arg(QString::number(n), p.file));
    }
    if (FileResult r = m_store.replaceFile(kWriteMarker, encodeUndo(parts)); !r)
        return r;
    for (const FilePart &p : parts) {
        if (FileResult r = m_store.writeBytes(p.file, p.offset, p.bytes); !r) {
            if (undo(m_store, parts)) {
                m_store.killIfExists(kWriteMarker);
                return r;
            }
            // The files are not as they were: the marker stays, and the next
            // start puts them back. The caller must not say nothing was lost.
            r.replaced = true;
            return r;
        }
    }
    m_store.killIfExists(kWriteMarker);
    return FileResult::success();
}

FileResult AccountStore::rebuild(const QString &name, int length, const QByteArray &record, int count,
                                 const QString &secondLine, Prompt &prompt) const
{
    if (!m_store.dataFileExists(kCustomerFile)) {
        prompt.message(QStringLiteral("Your Customer Information File is missing\n") + secondLine,
                       QStringLiteral("No Customer File Found"));
        return FileResult::failure(QStringLiteral("no customer file"));
    }
    QByteArray content;
    content.reserve(qsizetype(count) * length);
    for (int i = 0; i < count; ++i)
        content += record.left(length);
    return m_store.saveDataFile(name, content);
}

FileResult AccountStore::buildContractInfo(int count, const ContractRecord &record, Prompt &prompt) const
{
    return rebuild(kContractFile, ContractRecord::kLength, record.encode(), count,
                   QStringLiteral("The Contract File can not be rebuilt"), prompt);
}

FileResult AccountStore::buildCycleInfo(int count, const CycleRecord &record, Prompt &prompt) const
{
    return rebuild(kCycleFile, CycleRecord::kLength, record.encode(), count,
                   QStringLiteral("The Cycle File can not be rebuilt"), prompt);
}

FileResult AccountStore::removeCustomer(int d, int c) const
{
    recoverPending();
    // 1. The three new files, complete and synced, under temporary names.
    for (const Replacement &r : kReplacements) {
        const QByteArray old = m_store.readFile(r.target).value_or(QByteArray());
        QByteArray next;
        next.reserve(qsizetype(c) * r.length);
        for (int i = 1; i <= c; ++i) {
            if (i == d)
                continue;
            QByteArray record = old.mid(qsizetype(i - 1) * r.length, r.length);
            if (record.size() < r.length) {
                // A side file shorter than the customer file: the missing
                // records read as defaults, and are written as such.
                record = r.target == kCycleFile      ? CycleRecord().encode()
                         : r.target == kContractFile ? defaultContract().encode()
                                                     : record.leftJustified(r.length, '\0');
            }
            next += record;
        }
        if (FileResult w = m_store.replaceFile(r.temp, next); !w) {
            for (const Replacement &t : kReplacements)
                m_store.killIfExists(t.temp);
            return w;
        }
    }
    // 2. The marker: from here on the removal is finished, even after a crash.
    if (FileResult w = m_store.replaceFile(kMarker, valuelist::writePlainLines({QStringLiteral("remove")})); !w) {
        for (const Replacement &t : kReplacements)
            m_store.killIfExists(t.temp);
        return w;
    }
    // 3. Into place.
    recoverPending();
    return m_store.fileExists(kMarker) ? FileResult::failure(QStringLiteral("the new files could not be renamed"))
                                       : FileResult::success();
}

void AccountStore::recoverPending() const
{
    // An account write a crash interrupted is undone: the files hold the
    // account as it was before that save.
    if (const std::optional<QByteArray> marker = m_store.readFile(kWriteMarker)) {
        const std::optional<std::vector<FilePart>> parts = decodeUndo(*marker);
        if (!parts || undo(m_store, *parts))
            m_store.killIfExists(kWriteMarker);
    }
    if (!m_store.fileExists(kMarker)) {
        // New files without a marker: the removal had not begun to take
        // effect, and the old files stand.
        for (const Replacement &r : kReplacements)
            m_store.killIfExists(r.temp);
        return;
    }
    for (const Replacement &r : kReplacements) {
        if (!m_store.fileExists(r.temp))
            continue; // renamed before the crash
        if (r.dropBackup)
            m_store.killIfExists(FileStore::backupName(r.target));
        if (!m_store.renameDataFile(r.temp, r.target))
            return; // the marker stays; the next start tries again
    }
    m_store.killIfExists(kMarker);
}

} // namespace customers
