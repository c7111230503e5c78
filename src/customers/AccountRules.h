#pragma once
// What makes an account savable, judged on the record as it would be
// written, and Set All, which gives every account the same billing options
// in one pass over the files.
#include "customers/AccountStore.h"

namespace customers {

enum class Problem {
    None,
    NameBlank,           // a business without a name
    PersonalNameMissing, // an individual without first or last name
    NoNumber,            // neither account number nor telephone
    UnsafeNumber,        // the account number cannot name a file
};
// The first problem in the order the customer screen checks them. A blank
// account number is judged by the telephone that will replace it.
Problem problemOf(const CustomerRecord &record);
// Fills a blank account number from the telephone; true when it did.
bool takePhoneAsAcctNo(CustomerRecord &record);
QString problemText(Problem problem);

// The records keep single-byte text (Latin-1): a field holding a character
// outside it would be stored as "?" and the text changed without a word.
// The message for the first such field of the customer or its billing
// options, naming the field and the character; nothing when all fit.
std::optional<QString> unstorableText(const CustomerRecord &customer, const CycleRecord &cycle);

struct SetAllResult {
    store::FileResult written;
    int accountsSet = 0;
    int stoppedAt = 0;      // the record the pass stopped at, 0 when it went through
    Problem problem = Problem::None;
    int numbersFromPhone = 0; // accounts that took their telephone as account number
};
// Gives records 1, 2, ... the service, charge, mode, "for" text and month
// of `values` (each keeps its own flag), stopping before the first account
// that cannot be saved. The customer file is rewritten only when an
// account took its telephone as account number; each file is replaced
// whole and atomically.
SetAllResult setAll(const store::FileStore &store, const AccountStore &accounts, const CycleRecord &values);

} // namespace customers
