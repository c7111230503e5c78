#include "billing/RunRegister.h"

#include "base/RecordCodec.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

using namespace base;
using namespace store;

namespace billing {

QByteArray RunRecord::encode() const
{
    RecordWriter w(kLength);
    w.putInt32(0, runNo);
    w.putDate(4, made);
    w.putInt16(12, std::int16_t(mode));
    w.putInt16(14, frequency);
    w.putInt16(16, month);
    w.putInt16(18, usaAddresses);
    w.putInt32(20, voidsRun);
    w.putInt32(24, firstAccount);
    w.putInt32(28, accountCount);
    w.putMoney(32, total);
    return w.bytes();
}

RunRecord RunRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    RunRecord run;
    run.runNo = r.int32(0);
    run.made = r.date(4);
    run.mode = RunMode(r.int16(12));
    run.frequency = r.int16(14);
    run.month = r.int16(16);
    run.usaAddresses = r.int16(18);
    run.voidsRun = r.int32(20);
    run.firstAccount = r.int32(24);
    run.accountCount = r.int32(28);
    run.total = r.money(32);
    return run;
}

QByteArray RunAccountRecord::encode() const
{
    RecordWriter w(kLength);
    w.putInt32(0, runNo);
    w.putInt32(4, reverses);
    w.putText(8, 25, acctNo);
    w.putText(33, 45, name);
    w.putInt32(78, ledgerRecord);
    w.putText(82, 20, invoiceNo);
    w.putMoney(102, subtotal);
    w.putMoney(110, tax1);
    w.putMoney(118, tax2);
    w.putMoney(126, total);
    w.putMoney(134, charge);
    w.putText(142, 60, description);
    w.putText(202, 35, service);
    w.putText(237, 35, address1);
    w.putText(272, 25, address2);
    w.putText(297, 25, address3);
    w.putText(322, 2, state);
    w.putText(324, 25, address4);
    w.putText(349, 20, tax1Name);
    w.putText(369, 20, tax2Name);
    w.putInt32(389, firstItem);
    w.putInt16(393, itemCount);
    return w.bytes();
}

RunAccountRecord RunAccountRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    RunAccountRecord a;
    a.runNo = r.int32(0);
    a.reverses = r.int32(4);
    a.acctNo = r.text(8, 25);
    a.name = r.text(33, 45);
    a.ledgerRecord = r.int32(78);
    a.invoiceNo = r.text(82, 20);
    a.subtotal = r.money(102);
    a.tax1 = r.money(110);
    a.tax2 = r.money(118);
    a.total = r.money(126);
    a.charge = r.money(134);
    a.description = r.text(142, 60);
    a.service = r.text(202, 35);
    a.address1 = r.text(237, 35);
    a.address2 = r.text(272, 25);
    a.address3 = r.text(297, 25);
    a.state = r.text(322, 2);
    a.address4 = r.text(324, 25);
    a.tax1Name = r.text(349, 20);
    a.tax2Name = r.text(369, 20);
    a.firstItem = r.int32(389);
    a.itemCount = r.int16(393);
    return a;
}

QByteArray RunItemRecord::encode() const
{
    RecordWriter w(kLength);
    w.putInt32(0, account);
    w.putText(4, 60, description);
    w.putInt16(64, units);
    w.putInt16(66, stockTaken);
    w.putMoney(68, unitPrice);
    w.putMoney(76, total);
    return w.bytes();
}

RunItemRecord RunItemRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    return {r.int32(0), r.text(4, 60), r.int16(64), r.int16(66), r.money(68), r.money(76)};
}

namespace {

// Records first..first+count-1 (from 1) of a file, as many as it holds.
template <typename Record>
std::vector<Record> recordsOf(const FileStore &store, const QString &file, qint64 first, qint64 count)
{
    std::vector<Record> out;
    if (first < 1 || count <= 0)
        return out;
    const QByteArray bytes = store.readBytes(file, (first - 1) * Record::kLength, count * Record::kLength);
    for (qsizetype at = 0; at + Record::kLength <= bytes.size(); at += Record::kLength)
        out.push_back(Record::decode(bytes.mid(at, Record::kLength)));
    return out;
}

// The raw bytes of records first..first+count-1 (from 1) of the accounts
// file, a block at a time through one small buffer: the checks that need a
// field or two of a run's 32,767 accounts neither copy nor decode the 13 MB.
void forEachAccountBytes(const FileStore &store, qint64 first, qint64 count, const std::function<void(const char *)> &visit)
{
    constexpr int kLength = RunAccountRecord::kLength;
    QFile file(store.path(kRunAccountsFile));
    if (first < 1 || count <= 0 || !file.open(QIODevice::ReadOnly) || !file.seek((first - 1) * kLength))
        return;
    QByteArray buffer(160 * kLength, Qt::Uninitialized);
    for (qint64 left = count; left > 0;) {
        const qint64 want = std::min<qint64>(left, 160) * kLength;
        const qint64 got = file.read(buffer.data(), want);
        if (got < kLength)
            return;
        for (qint64 at = 0; at + kLength <= got; at += kLength)
            visit(buffer.constData() + at);
        left -= got / kLength;
        if (got < want)
            return;
    }
}

QString textAt(const char *record, int offset, int width)
{
    return RecordReader(QByteArray::fromRawData(record, RunAccountRecord::kLength)).text(offset, width);
}

} // namespace

RunRegister RunRegister::read(const FileStore &store)
{
    RunRegister reg;
    store.forEachRecordBlock(kRunsFile, RunRecord::kLength, [&](const char *records, qsizetype count, qsizetype) {
        for (qsizetype i = 0; i < count; ++i)
            reg.m_runs.push_back(
                RunRecord::decode(QByteArray(records + i * RunRecord::kLength, RunRecord::kLength)));
    });
    return reg;
}

const RunRecord *RunRegister::run(int runNo) const
{
    for (const RunRecord &r : m_runs)
        if (r.runNo == runNo)
            return &r;
    return nullptr;
}

int RunRegister::nextRunNo() const
{
    int last = 0;
    for (const RunRecord &r : m_runs)
        last = std::max(last, int(r.runNo));
    return last + 1;
}

RunState RunRegister::state(const RunRecord &run) const
{
    RunState s;
    s.accounts = run.accountCount;
    for (const RunRecord &v : m_runs)
        if (v.mode == RunMode::Void && v.voidsRun == run.runNo)
            s.voided += v.accountCount;
    return s;
}

std::vector<RegisteredAccount> RunRegister::accounts(const FileStore &store, const RunRecord &run) const
{
    std::vector<RegisteredAccount> out;
    const std::vector<RunAccountRecord> records =
        recordsOf<RunAccountRecord>(store, kRunAccountsFile, run.firstAccount, run.accountCount);
    qint64 firstItem = 0, endItem = 0;
    for (const RunAccountRecord &r : records) {
        if (r.firstItem < 1 || r.itemCount < 1)
            continue;
        firstItem = firstItem ? std::min<qint64>(firstItem, r.firstItem) : r.firstItem;
        endItem = std::max<qint64>(endItem, qint64(r.firstItem) + r.itemCount);
    }
    const std::vector<RunItemRecord> items = recordsOf<RunItemRecord>(store, kRunItemsFile, firstItem, endItem - firstItem);
    for (size_t i = 0; i < records.size(); ++i) {
        RegisteredAccount a;
        a.number = run.firstAccount + int(i);
        a.record = records[i];
        for (qint64 n = a.record.firstItem; n >= 1 && n < qint64(a.record.firstItem) + a.record.itemCount; ++n) {
            if (n - firstItem < qint64(items.size()))
                a.items.push_back(items[size_t(n - firstItem)]);
        }
        out.push_back(std::move(a));
    }
    if (run.mode == RunMode::Void)
        return out;
    // The voids of this run say which of its accounts they reversed.
    for (const RunRecord &v : m_runs) {
        if (v.mode != RunMode::Void || v.voidsRun != run.runNo)
            continue;
        forEachAccountBytes(store, v.firstAccount, v.accountCount, [&](const char *record) {
            const qint64 at = qint64(qFromLittleEndian<qint32>(record + 4)) - run.firstAccount;
            if (at >= 0 && at < qint64(out.size())) {
                out[size_t(at)].voidedBy = v.runNo;
                out[size_t(at)].voidedOn = v.made.date();
            }
        });
    }
    return out;
}

QHash<QString, RunRegister::Billed> RunRegister::billedFor(const FileStore &store, int month, int year) const
{
    QHash<QString, Billed> billed;
    for (const RunRecord &r : m_runs) {
        if (r.mode == RunMode::Void || r.month != month || r.made.date().year() != year)
            continue;
        // The run's accounts its voids reversed, by record number.
        QSet<qint32> voided;
        for (const RunRecord &v : m_runs) {
            if (v.mode == RunMode::Void && v.voidsRun == r.runNo)
                forEachAccountBytes(store, v.firstAccount, v.accountCount,
                                    [&](const char *record) { voided.insert(qFromLittleEndian<qint32>(record + 4)); });
        }
        qint32 number = r.firstAccount;
        forEachAccountBytes(store, r.firstAccount, r.accountCount, [&](const char *record) {
            if (!voided.contains(number++))
                billed.insert(textAt(record, 8, 25), {r.made.date(), textAt(record, 82, 20), int(r.runNo)});
        });
    }
    return billed;
}

RegisterWriter::RegisterWriter(const FileStore &store, RunRecord header) : m_pending(std::move(header))
{
    m_pending.runNo = RunRegister::read(store).nextRunNo();
    m_pending.firstAccount = 0;
    m_pending.accountCount = 0;
    m_pending.total = Money();
    m_committed = m_pending;
}

int RegisterWriter::stageAccount(Transaction &tx, RunAccountRecord account, std::vector<RunItemRecord> items)
{
    const int number = int(std::max<qint64>(tx.size(kRunAccountsFile), 0) / RunAccountRecord::kLength) + 1;
    const int firstItem = int(std::max<qint64>(tx.size(kRunItemsFile), 0) / RunItemRecord::kLength) + 1;
    account.runNo = m_pending.runNo;
    account.firstItem = items.empty() ? 0 : firstItem;
    account.itemCount = std::int16_t(items.size());
    for (RunItemRecord &item : items) {
        item.account = number;
        tx.append(kRunItemsFile, RunItemRecord::kLength, item.encode());
    }
    tx.append(kRunAccountsFile, RunAccountRecord::kLength, account.encode());
    if (m_pending.accountCount == 0)
        m_pending.firstAccount = number;
    ++m_pending.accountCount;
    m_pending.total = m_pending.total + account.total;
    return number;
}

void RegisterWriter::stageRun(Transaction &tx)
{
    if (m_recordAt < 0) {
        m_recordAt = std::max<qint64>(tx.size(kRunsFile), 0) / RunRecord::kLength;
        tx.append(kRunsFile, RunRecord::kLength, m_pending.encode());
    } else {
        tx.writeAt(kRunsFile, m_recordAt * RunRecord::kLength, m_pending.encode());
    }
}

} // namespace billing
