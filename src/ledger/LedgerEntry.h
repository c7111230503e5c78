#pragma once
// One transaction of an account's ledger, and of the payment journal: 155
// bytes of text, the amount always positive and its sign given by the
// wording of the entry text.
#include "base/ValueList.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <utility>

namespace ledger {

inline const QString kActiveAccountsFolder = QStringLiteral("/BVActiveAccounts");
inline const QString kPaymentJournal = QStringLiteral("/CAPaymentRecords.txt");
// The financial history the history screen shows, in the ledger layout.
inline const QString kFinancialHistoryFile = QStringLiteral("/CAHistory.txt");

struct LedgerEntry {
    static constexpr int kLength = 155;
    static constexpr int kTextOffset = 85, kTextWidth = 60, kAmountOffset = 145, kAmountWidth = 10;

    QString acctName;    //   0, 45
    QString acctNo;      //  45, 25
    QString entryDate;   //  70, 15: short date text
    QString entryText;   //  85, 60
    QString entryAmount; // 145, 10: any text the currency conversion reads

    QByteArray encode() const;
    static LedgerEntry decode(const QByteArray &bytes);
    // The bytes of the text and the amount alone (as decode trims them), for
    // passes over whole ledgers that need nothing else (a balance).
    static std::pair<QByteArrayView, QByteArrayView> textAndAmountOf(QByteArrayView bytes);
    bool operator==(const LedgerEntry &) const = default;

    // The entry's five texts in a pending-work file's value list, in field
    // order, and read back from one.
    void writeTo(base::valuelist::Writer &w) const;
    static LedgerEntry readFrom(base::valuelist::Reader &r);
};

} // namespace ledger
