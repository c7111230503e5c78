#include "customers/Records.h"

#include "base/FieldRoutines.h"
#include "base/RecordCodec.h"

using namespace base;

namespace customers {

namespace {
using Field = customerfield::Span;
using namespace customerfield;
constexpr int kReserved1 = 324, kReserved2 = 326;
} // namespace

QString CustomerRecord::displayName() const
{
    return isBusiness() ? name.trimmed() : fields::fullName(title, firstName, middleInitial, lastName);
}

QByteArray CustomerRecord::encode() const
{
    RecordWriter w(kLength);
    auto put = [&](Field f, const QString &value) { w.putText(f.offset, f.width, value.trimmed()); };
    put(AcctNo, acctNo);
    put(Name, name);
    put(Address1, address1);
    put(Address2, address2);
    put(CityOrAddr3, cityOrAddr3);
    put(City, city);
    put(State, state);
    w.putText(Zip.offset, Zip.width, zip); // exactly as typed
    put(ZipOrAddr4, zipOrAddr4);
    put(Phone, phone);
    put(CellPhone, cellPhone);
    put(Email, email);
    put(Title, title);
    put(FirstName, firstName);
    put(MiddleInitial, middleInitial);
    put(LastName, lastName);
    put(AcctType, acctType);
    w.putInt16(kReserved1, reserved1);
    w.putInt16(kReserved2, reserved2);
    return w.bytes();
}

CustomerRecord CustomerRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    auto get = [&](Field f) { return r.text(f.offset, f.width); };
    CustomerRecord c;
    c.acctNo = get(AcctNo);
    c.name = get(Name);
    c.address1 = get(Address1);
    c.address2 = get(Address2);
    c.cityOrAddr3 = get(CityOrAddr3);
    c.city = get(City);
    c.state = get(State);
    c.zip = get(Zip);
    c.zipOrAddr4 = get(ZipOrAddr4);
    c.phone = get(Phone);
    c.cellPhone = get(CellPhone);
    c.email = get(Email);
    c.title = get(Title);
    c.firstName = get(FirstName);
    c.middleInitial = get(MiddleInitial);
    c.lastName = get(LastName);
    c.acctType = get(AcctType);
    c.reserved1 = r.int16(kReserved1);
    c.reserved2 = r.int16(kReserved2);
    return c;
}

QByteArray CycleRecord::encode() const
{
    RecordWriter w(kLength);
    w.putText(0, 35, service);
    w.putMoney(35, charge);
    w.putInt16(43, billingMode);
    w.putText(45, 20, chargeFor.trimmed());
    w.putInt16(65, startMonth);
    w.putInt16(67, cycleFlag);
    return w.bytes();
}

CycleRecord CycleRecord::decode(const QByteArray &bytes)
{
    if (bytes.size() < kLength)
        return CycleRecord();
    RecordReader r(bytes);
    CycleRecord c;
    c.service = r.rawText(0, 35);
    // Blanks that pad the field are not part of the name.
    while (c.service.endsWith(u' '))
        c.service.chop(1);
    c.charge = r.money(35);
    c.billingMode = r.int16(43);
    c.chargeFor = r.text(45, 20);
    c.startMonth = r.int16(65);
    c.cycleFlag = r.int16(67);
    return c;
}

ContractRecord ContractRecord::defaults(const QDateTime &now, const QLocale &locale, const ContractRecord *before)
{
    RecordWriter w(before ? before->bytes : QByteArray(), kLength);
    w.putText(0, 35, QStringLiteral("None Selected"));
    w.putText(35, 15, QStringLiteral("None"));
    w.putMoney(50, Money());
    w.putText(58, 9, locale.dayName(now.date().dayOfWeek(), QLocale::LongFormat));
    w.putText(67, 40, QStringLiteral("None Selected"));
    w.putDate(107, now);
    w.putDate(115, now);
    w.putInt16(123, 0);
    w.putInt16(125, -1);
    w.putInt16(127, 0);
    w.putText(129, 20, QStringLiteral("None"));
    w.putText(149, 20, QString());
    w.putText(169, 30, QString());
    if (!before)
        w.putNul(199, 35); // never assigned
    w.putText(234, 25, QString());
    w.putText(259, 20, QString());
    w.putText(279, 2, QString());
    w.putText(281, 10, QString());
    w.putText(291, 13, QString());
    w.putText(304, 30, QString());
    w.putInt16(334, 0);
    w.putText(336, 50, QString());
    return ContractRecord{w.bytes()};
}

ContractRecord ContractRecord::decode(const QByteArray &bytes, const QDateTime &now, const QLocale &locale)
{
    if (bytes.size() < kLength)
        return defaults(now, locale);
    return ContractRecord{bytes.left(kLength)};
}

} // namespace customers
