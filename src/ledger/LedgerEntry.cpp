#include "ledger/LedgerEntry.h"

#include "base/RecordCodec.h"

using namespace base;

namespace ledger {

QByteArray LedgerEntry::encode() const
{
    RecordWriter w(kLength);
    w.putText(0, 45, acctName.trimmed());
    w.putText(45, 25, acctNo.trimmed());
    w.putText(70, 15, entryDate.trimmed());
    w.putText(85, 60, entryText.trimmed());
    w.putText(145, kAmountWidth, entryAmount.trimmed());
    return w.bytes();
}

LedgerEntry LedgerEntry::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    return {r.text(0, 45), r.text(45, 25), r.text(70, 15), r.text(85, 60), r.text(145, kAmountWidth)};
}

} // namespace ledger
