#pragma once
// What customers owe and for how long, read from the ledgers by the balance
// rule (an entry whose text holds "Payment", "Credit" or "Discount"
// subtracts, exactly "Current Balance" is left out, anything else adds):
// the aging of one account, the list of every account with a balance, and
// the statement of an account for a period. Nothing here writes a file.
#include "base/Money.h"
#include "store/FileStore.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <vector>

namespace receivables {

// One entry of a ledger that counts: its date and its amount signed by the
// rule (a charge above zero, a payment, credit or discount below).
struct LedgerLine {
    QDate date;
    QString text;
    base::Money amount;
};

// A ledger's entries in file order, without the first (opening) record's
// name; entries whose amount or date cannot be read are counted and left
// out, never guessed.
struct ReadLedger {
    QString acctNo, acctName;
    std::vector<LedgerLine> lines;
    int unreadable = 0;
};
class LedgerReader {
public:
    explicit LedgerReader(const QLocale &locale);
    ~LedgerReader();
    LedgerReader(const LedgerReader &) = delete;
    LedgerReader &operator=(const LedgerReader &) = delete;
    // `texts`: the entries' texts too (a statement shows them; the aging of
    // every ledger needs none, and 250,000 of them cost more than the rest).
    ReadLedger read(QByteArrayView ledger, bool texts = true);

private:
    struct Caches;
    std::unique_ptr<Caches> m_caches;
};

// Days past a charge's date: 0-30 current, 31-60, 61-90, over 90.
struct Aging {
    base::Money current, days31to60, days61to90, over90;
    base::Money credit; // what the account has in hand when it is in credit
    base::Money balance() const { return current + days31to60 + days61to90 + over90 - credit; }
    // Owed for longer than `days` (30, 60 or 90).
    base::Money overdue(int days) const;
};
// The entries dated up to `asOf`; every payment, credit and discount paid
// against the oldest charges first. An account in credit shows the credit
// and no buckets.
Aging ageOf(const std::vector<LedgerLine> &lines, const QDate &asOf);

// One line of the accounts-receivable list.
struct Receivable {
    QString acctNo, name, phone, ledgerFile;
    Aging aging;
    int unreadable = 0;
};
// Every ledger whose balance at `asOf` is not zero (or that has an entry
// that cannot be read), in account-number order.
std::vector<Receivable> receivablesAt(const store::FileStore &store, const QDate &asOf, const QLocale &locale);

// The statement of an account for the days `from` to `to`.
struct StatementLine {
    QDate date;
    QString text;
    base::Money charge, credit, balance; // balance: running, after the line
};
struct Statement {
    QDate from, to;
    base::Money opening, closing;
    std::vector<StatementLine> lines; // in date order, entries of one date as filed
    Aging aging;                      // at `to`
    int unreadable = 0;
};
Statement statementOf(const ReadLedger &ledger, const QDate &from, const QDate &to);

// "1 entry could not be read", "3 entries could not be read"; empty for none.
QString unreadableText(int count);

} // namespace receivables
