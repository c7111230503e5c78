#pragma once
// One read of the customer file, kept as its bytes. The account list, the
// city list, the searches and the duplicate check all come from one read;
// each takes the fields it needs straight from the bytes and converts only
// what it shows, so a pass over 32,767 customers makes no string per field.
#include "customers/Records.h"
#include "store/FileStore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace customers {

class CustomerFile {
public:
    CustomerFile() = default;
    // Record n is bytes (n-1)*328 onwards; the count follows the store's
    // rule (a short last record counts when it is at least half there and
    // reads with blanks for what is missing).
    explicit CustomerFile(QByteArray bytes);
    static CustomerFile read(const store::FileStore &store);

    int count() const { return m_count; }
    // Record n (1-based) as RecordReader::text gives a field: up to the
    // first NUL, blanks trimmed.
    QByteArrayView field(int n, customerfield::Span span) const;
    QString text(int n, customerfield::Span span) const;
    bool isBusiness(int n) const;
    CustomerRecord record(int n) const;
    // The account list's text: a business's name, else "Last, First I".
    QString listText(int n) const;
    // What CustomerRecord::displayName gives, built from only the fields it uses.
    QString displayName(int n) const;

private:
    QByteArrayView recordBytes(int n) const;
    QByteArray m_bytes;
    int m_count = 0;
};

// The account numbers of one read, packed side by side: the duplicate check
// on leaving the account box asks it instead of reading the file again.
// 32,767 numbers are 640 KiB, scanned in well under a millisecond, which is
// less than a hash table of them takes to build at every activation.
class AcctNoIndex {
public:
    AcctNoIndex() = default;
    explicit AcctNoIndex(const CustomerFile &file);
    // The numbers alone, the customer file read through a small buffer
    // (records counted as CustomerFile counts them): a list of every
    // account costs no copy of the 10 MB file.
    static AcctNoIndex read(const store::FileStore &store);

    int count() const { return int(m_numbers.size() / kWidth); }
    // Record n's number (1-based), as CustomerFile::text gives it.
    QString number(int n) const;

    // A record other than `current` has exactly this account number
    // (trimmed by the caller; letter case counts).
    bool isTaken(const QString &acctNo, int current) const;

private:
    static constexpr int kWidth = customerfield::AcctNo.width;
    QByteArray m_numbers; // record n at (n-1)*20, trimmed, NUL-padded
};

} // namespace customers
