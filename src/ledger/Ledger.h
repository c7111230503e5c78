#pragma once
// Account ledgers: one record file per account under "/BVActiveAccounts",
// an opening entry first, entries appended only, a backup copy brought up
// to the ledger with every append, and the balance recomputed from all
// entries. Every append is staged in the transaction of the operation that
// makes it, so a ledger is never left with half a record.
#include "ledger/LedgerEntry.h"
#include "base/Money.h"
#include "store/FileStore.h"
#include "store/Transaction.h"

#include <QDate>
#include <QLocale>
#include <optional>
#include <vector>

namespace ledger {

// "/BVActiveAccounts/<account number>.txt" and its copy under "/Backup";
// empty for an account number that cannot name a file.
QString ledgerFile(const QString &acctNo);
QString backupFile(const QString &ledgerFile);

// The text a payment amount is stored with: currency text, or plain
// decimal when that does not fit the field; nothing when neither fits.
std::optional<QString> storedAmountText(base::Money amount, const QLocale &locale);

// Payments, credits and discounts subtract (the words as written, letter
// case counting), exactly "Current Balance" is left out, anything else adds.
enum class Sign { Add, Subtract, Ignore };
Sign signOf(QLatin1StringView entryText);
// A charge the program is to write whose text the rule above would not add
// (a service named "Credit Check Fee" would lower the balance it raises):
// the message naming the text; nothing for a text that adds.
std::optional<QString> chargeTextProblem(const QString &text);

struct Balance {
    base::Money total;
    int unreadable = 0; // entries whose amount could not be read, left out
};
Balance balanceOf(const QByteArray &ledger, const QLocale &locale);
// The same with the locale's money reader made once for many ledgers (making
// one costs more than reading a ledger).
Balance balanceOf(const QByteArray &ledger, const base::MoneyReader &reader);
// Nothing when the ledger is missing (after the restore from its backup).
std::optional<Balance> accountBalance(const store::FileStore &store, const QString &ledgerFile, const QLocale &locale);

LedgerEntry makeEntry(const QString &acctNo, const QString &name, const QString &amount, const QString &text,
                      const QDate &date, const QLocale &locale);

// The opening entry alone.
store::FileResult createLedger(const store::FileStore &store, const QString &acctNo, const QString &name, const QDate &today,
                        const QLocale &locale);
// The account ledgers' folder and its backup folder, made where missing
// (before a change to ledgers is staged).
store::FileResult ensureLedgerFolders(const store::FileStore &store);
// Stages an entry after the ledger's whole records (a torn tail is written
// over), the ledger restored from its backup or begun with the opening
// entry (dated today) first, and the backup copy brought up to the ledger:
// the new tail alone where the copy matches the ledger, else whole.
void stageLedgerEntry(store::Transaction &tx, const QString &ledgerFile, const LedgerEntry &entry, const QDate &today,
                      const QLocale &locale);

struct OpenAccount {
    QString ledgerFile; // the file the account's payments go to
    QString acctNo;
    QString acctName;
    Balance balance;
    bool damaged = false; // the first record is short or holds no account number
};
// Paid up for certain: every amount read and they come to nothing. Only
// such a ledger may be purged.
bool isPaidUp(const OpenAccount &account);

// Every ledger in the folder, by file name, with its balance.
std::vector<OpenAccount> openAccounts(const store::FileStore &store, const QLocale &locale);

} // namespace ledger
