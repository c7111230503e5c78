#pragma once
// A program folder shaped like a small lawn and garden business's: the
// settings files, a catalogue of twelve services, the three labour rates
// and twelve stocked items, customers of both kinds with both address
// styles' fields filled, their billing options, and ledgers of several
// entries. The one fixture the screens' tests open, leave and open again.
#include "catalog/Catalog.h"
#include "customers/Records.h"
#include "support/TestSupport.h"

#include <vector>

struct BusinessFolder {
    std::vector<catalog::ServiceRow> services;
    std::vector<catalog::InventoriedItemRecord> items;
    std::vector<customers::CustomerRecord> customers;
    std::vector<customers::CycleRecord> cycles;
    // Accounts with a ledger, and how many entries each holds.
    std::vector<std::pair<QString, int>> ledgers;
};

// Fills the folder and the live settings and catalogue of its context.
BusinessFolder fillBusiness(TestFolder &folder, setup::AddressStyle style = setup::AddressStyle::USA);
