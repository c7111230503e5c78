#pragma once
// The accounts of a billing run: the account table of every customer and
// the rows of the accounts due, from one read of the customer file and one
// of the cycle file.
#include "store/FileStore.h"

#include <QLocale>
#include <QString>
#include <vector>

namespace billing {

// Entry i of the account table: customer record i, trimmed.
struct BillingAccount {
    QString acctNo, name, address1, address2, address3, state, phone, address4, reference;
};

// One row of the billing grid.
struct CycleRow {
    QString selected; // "", "+" (to bill) or "P" (posted)
    QString acctNo, name;
    QString charge; // currency text; may be replaced for this run
    QString service;
    QString reference;
    int rec = 0; // the record number, the account's key in the run
};

struct CycleGrid {
    std::vector<BillingAccount> accounts; // entry i at index i - 1
    std::vector<CycleRow> rows;           // in record order
};

CycleGrid loadCycleGrid(const store::FileStore &store, int frequency, int month, const QLocale &locale);

} // namespace billing
