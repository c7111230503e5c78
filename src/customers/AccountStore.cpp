#include "customers/AccountStore.h"

#include "customers/AccountRules.h"
#include "customers/CustomerFile.h"

#include "base/Clock.h"
#include "base/ValueList.h"
#include "store/RecordFiles.h"
#include "store/Transaction.h"

using namespace base;
using namespace store;

namespace customers {

namespace {

// The files a removal rewrites, each with the record a short file's
// missing records read as.
struct Rewrite {
    QString file;
    int length;
    bool dropBackup; // the customer file's backup copy is left as it was
};
const Rewrite kRewrites[] = {
    {kCustomerFile, CustomerRecord::kLength, false},
    {kCycleFile, CycleRecord::kLength, true},
    {kContractFile, ContractRecord::kLength, true},
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

// The three records of one account go in together or not at all, as one
// transaction: a failure puts the three files back as they were, and a
// crash is finished at the next start.
FileResult AccountStore::writeAccount(int n, const CustomerRecord &customer, const ContractRecord &contract,
                                      const CycleRecord &cycle) const
{
    if (const std::optional<QString> problem = unstorableText(customer, cycle))
        return FileResult::failure(*problem);
    Transaction tx(m_store, QStringLiteral("a customer's save"));
    // Side files shorter than the customer file are filled out with default
    // records first, so record n really is customer n's.
    auto stage = [&](const QString &file, int length, const QByteArray &record, const QByteArray &filler) {
        m_store.restoreFromBackup(file);
        const int count = m_store.recordCount(file, length);
        const int first = filler.isEmpty() ? n : std::min(n, count + 1);
        QByteArray bytes;
        for (int i = first; i < n; ++i)
            bytes += filler;
        bytes += record;
        tx.writeAt(file, qint64(first - 1) * length, bytes);
    };
    stage(kCustomerFile, CustomerRecord::kLength, customer.encode(), QByteArray());
    stage(kContractFile, ContractRecord::kLength, contract.encode(), defaultContract().encode());
    stage(kCycleFile, CycleRecord::kLength, cycle.encode(), CycleRecord().encode());
    return tx.commit();
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
    // The three files rewritten without record d, as one transaction.
    Transaction tx(m_store, QStringLiteral("a customer's deletion"));
    for (const Rewrite &r : kRewrites) {
        const QByteArray old = m_store.readFile(r.file).value_or(QByteArray());
        QByteArray next;
        next.reserve(qsizetype(c) * r.length);
        for (int i = 1; i <= c; ++i) {
            if (i == d)
                continue;
            QByteArray record = old.mid(qsizetype(i - 1) * r.length, r.length);
            if (record.size() < r.length) {
                // A side file shorter than the customer file: the missing
                // records read as defaults, and are written as such.
                record = r.file == kCycleFile      ? CycleRecord().encode()
                         : r.file == kContractFile ? defaultContract().encode()
                                                   : record.leftJustified(r.length, '\0');
            }
            next += record;
        }
        tx.replace(r.file, next);
        if (r.dropBackup && m_store.fileExists(FileStore::backupName(r.file)))
            tx.remove(FileStore::backupName(r.file));
    }
    return tx.commit();
}

} // namespace customers
