#pragma once
// The accounts of a billing run: the account table of every customer and
// the rows of the accounts due, from one read of the customer file and one
// of the cycle file. Loading reads only the two numbers the due rule needs
// from each cycle record; every text is made when it is asked for, so a
// grid of 32,767 accounts loads in the time of reading its files.
#include "customers/CustomerFile.h"
#include "store/FileStore.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace billing {

// Entry i of the account table: customer record i, trimmed.
struct BillingAccount {
    QString acctNo, name, address1, address2, address3, state, phone, address4, reference;
};

// One row of the billing grid: its record and what this run changed.
struct CycleRow {
    int rec = 0;      // the record number, the account's key in the run
    QString selected; // "", "+" (to bill) or "P" (posted)
    std::optional<QString> charge;  // replaced for this run (currency text)
    std::optional<QString> service; // replaced for this run
};

class CycleGrid {
public:
    CycleGrid() = default;
    static CycleGrid load(const store::FileStore &store, int frequency, int month, const QLocale &locale);

    std::vector<CycleRow> rows; // the due accounts, in record order

    int accountCount() const { return m_customers.count(); }
    BillingAccount account(int rec) const;
    QString acctNo(int rec) const;
    QString name(int rec) const;
    QString reference(int rec) const;
    // The row's charge as currency text and its service, as this run has them.
    QString charge(const CycleRow &row) const;
    QString service(const CycleRow &row) const;

private:
    customers::CycleRecord cycle(int rec) const;
    customers::CustomerFile m_customers;
    QByteArray m_cycles;
    QLocale m_locale;
};

} // namespace billing
