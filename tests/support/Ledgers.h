#pragma once
// Ledger-shaped records as the tests write and read them: the ledgers, the
// payment journal and the financial history all hold 155-byte entries.
#include "ledger/LedgerEntry.h"

#include <vector>

// One entry of account acct, named "Name <acct>", with its texts as stored.
inline QByteArray ledgerRecord(const QString &acct, const QString &date, const QString &text, const QString &amount)
{
    return ledger::LedgerEntry{QStringLiteral("Name ") + acct, acct, date, text, amount}.encode();
}

// Every whole entry of a ledger-shaped file, in order.
inline std::vector<ledger::LedgerEntry> ledgerEntries(const QByteArray &file)
{
    std::vector<ledger::LedgerEntry> out;
    for (qsizetype at = 0; at + ledger::LedgerEntry::kLength <= file.size(); at += ledger::LedgerEntry::kLength)
        out.push_back(ledger::LedgerEntry::decode(file.mid(at, ledger::LedgerEntry::kLength)));
    return out;
}
