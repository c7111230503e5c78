#pragma once
// The three parallel record files behind one store. Every write of an
// account goes customer, contract, cycle, for the same record number.
// Removing a customer rewrites all three files. Both are one transaction
// each: a failure leaves the three files as they were, a crash leaves the
// old three or (finished at the next start) the new three.
#include "base/Prompt.h"
#include "customers/Records.h"
#include "store/FileStore.h"

#include <QLocale>
#include <vector>

namespace base {
class Clock;
} // namespace base

namespace customers {

class AccountStore {
public:
    AccountStore(const store::FileStore &store, const base::Clock &clock, const QLocale &locale);

    // Number of customer records, at most 32,767.
    int customerCount() const;
    static constexpr int kMaxCustomers = 32767;

    // A record past the end of the customer file reads as a blank record;
    // past the end of the cycle or contract file, as a default record.
    CustomerRecord readCustomer(int n) const;
    CycleRecord readCycle(int n) const;
    ContractRecord readContract(int n) const;
    // Every customer in file order, in one sequential read.
    std::vector<CustomerRecord> readAllCustomers() const;
    // Another record than `current` already has this account number (exact,
    // letter case counts). Reads the account numbers alone.
    bool isAcctNoTaken(const QString &acctNo, int current) const;

    // Record n of all three files: customer, contract, cycle, all or nothing
    // (a failure leaves the three files as they were). A side file shorter than the customer file is
    // filled out with default records first; n past count + 1 is refused.
    store::FileResult writeAccount(int n, const CustomerRecord &customer, const ContractRecord &contract,
                            const CycleRecord &cycle) const;

    // Recreates the contract or cycle file with count copies of the record.
    // Without a customer file the user is told and nothing is written.
    store::FileResult buildContractInfo(int count, const ContractRecord &record, base::Prompt &prompt) const;
    store::FileResult buildCycleInfo(int count, const CycleRecord &record, base::Prompt &prompt) const;

    // Removes record d of c from all three files, records after it moving down.
    store::FileResult removeCustomer(int d, int c) const;

    // The defaults a new account's service records start from.
    CycleRecord defaultCycle() const { return CycleRecord(); }
    ContractRecord defaultContract(const ContractRecord *before = nullptr) const;

private:
    store::FileResult rebuild(const QString &name, int length, const QByteArray &record, int count,
                       const QString &secondLine, base::Prompt &prompt) const;
    const store::FileStore &m_store;
    const base::Clock &m_clock;
    QLocale m_locale;
};

} // namespace customers
