#pragma once
// Customers from a spreadsheet: a CSV file read with its separator and
// character set found, each column mapped to a field of the customer
// record (guessed from the header row), each row checked with the rules
// the customer screen applies, and the rows that pass written as new
// accounts in one transaction: customer, cycle and contract records and
// the account folders, all of them or none.
#include "base/Csv.h"
#include "customers/AccountStore.h"
#include "store/FileStore.h"

#include <QLocale>
#include <QStringList>
#include <functional>
#include <vector>

namespace exchange {

enum class ImportField {
    None,
    AcctNo,
    AcctType,
    Title,
    FirstName,
    Initial,
    LastName,
    BusinessName,
    Address1,
    Address2,
    Address3,
    Address4,
    City,
    State,
    Postal,
    Phone,
    Cell,
    Email,
    Service,
    Charge,
    Frequency,
    StartMonth,
    Count
};
// The names the mapping lists offer, in the order of the fields; the first
// is "(not imported)".
const QStringList &importFieldNames();
// One field per column from the header's words ("Last Name", "Surname",
// "ZIP", "E-mail" ...); a field is given to the first column that names
// it, the others get None.
std::vector<ImportField> guessMapping(const QStringList &header);
// Whether the first record is a header: it names at least two fields.
bool looksLikeHeader(const QStringList &first);

struct ImportSource {
    base::csv::Table table;
    base::csv::Encoding encoding = base::csv::Encoding::Utf8;
    QChar separator = u',';
};
// The file's bytes read as a table; the encoding found unless one is given.
ImportSource readSource(const QByteArray &bytes, std::optional<base::csv::Encoding> encoding = std::nullopt);

// What the rows are checked against: the folder's account numbers, the
// state list, the catalogue's services with their charges, the address
// style.
struct ImportRules {
    QStringList existingAcctNos;
    QStringList states;
    QStringList services; // descriptions
    QStringList costs;    // as currency text, position for position
    bool usaStyle = true;
    int customerCount = 0;
    QLocale locale;
};
ImportRules importRules(const store::FileStore &store, const QLocale &locale, bool usaStyle);

struct AcceptedRow {
    int line = 0;
    customers::CustomerRecord customer;
    customers::CycleRecord cycle;
};
struct RejectedRow {
    int line = 0;
    QStringList fields;
    QString reason;
};
struct ImportPlan {
    std::vector<AcceptedRow> accepted;
    std::vector<RejectedRow> rejected;
};
// Every record after the header (when there is one) checked in order:
// a row's account number is a duplicate of the folder's or of an earlier
// accepted row's.
ImportPlan planImport(const base::csv::Table &table, const std::vector<ImportField> &mapping, bool header,
                      const ImportRules &rules);
// The rejected rows as CSV (UTF-8): a header of the line number, the
// reason and the columns, then each row as it was read.
QByteArray rejectedCsv(const ImportPlan &plan, const QStringList &header);

struct ImportResult {
    store::FileResult written = store::FileResult::success();
    int imported = 0;
};
using ImportProgress = std::function<void(int done, int total)>;
// The accepted rows appended to the three customer files and their
// folders made, as one change: the folders first (those made are taken
// away again if the files cannot be written), then one transaction.
ImportResult importCustomers(const store::FileStore &store, const customers::AccountStore &accounts,
                             const ImportPlan &plan, const ImportProgress &progress = {});

} // namespace exchange
