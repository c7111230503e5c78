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
    w.putText(kTextOffset, kTextWidth, entryText.trimmed());
    w.putText(kAmountOffset, kAmountWidth, entryAmount.trimmed());
    return w.bytes();
}

LedgerEntry LedgerEntry::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    return {r.text(0, 45), r.text(45, 25), r.text(70, 15), r.text(kTextOffset, kTextWidth),
            r.text(kAmountOffset, kAmountWidth)};
}

std::pair<QByteArrayView, QByteArrayView> LedgerEntry::textAndAmountOf(QByteArrayView bytes)
{
    return {textBytes(bytes, kTextOffset, kTextWidth), textBytes(bytes, kAmountOffset, kAmountWidth)};
}

void LedgerEntry::writeTo(base::valuelist::Writer &w) const
{
    w.text(acctName).text(acctNo).text(entryDate).text(entryText).text(entryAmount);
}

LedgerEntry LedgerEntry::readFrom(base::valuelist::Reader &r)
{
    LedgerEntry e;
    e.acctName = r.text();
    e.acctNo = r.text();
    e.entryDate = r.text();
    e.entryText = r.text();
    e.entryAmount = r.text();
    return e;
}

} // namespace ledger
