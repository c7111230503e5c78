#include "customers/Records.h"

#include "base/FieldRoutines.h"
#include "base/RecordCodec.h"

using namespace base;

namespace customers {

namespace {
struct Field {
    int offset;
    int width;
};
// CustomerRecord layout, in field order.
constexpr Field kAcctNo{0, 20}, kName{20, 45}, kAddress1{65, 35}, kAddress2{100, 25}, kCityOrAddr3{125, 25},
    kCity{150, 20}, kState{170, 2}, kZip{172, 10}, kZipOrAddr4{182, 25}, kPhone{207, 13}, kCellPhone{220, 13},
    kEmail{233, 30}, kTitle{263, 10}, kFirstName{273, 15}, kMiddleInitial{288, 1}, kLastName{289, 25},
    kAcctType{314, 10};
constexpr int kReserved1 = 324, kReserved2 = 326;
} // namespace

QString CustomerRecord::listText() const
{
    if (isBusiness())
        return name.trimmed();
    QString text = lastName.trimmed() + QStringLiteral(", ") + firstName.trimmed();
    if (!middleInitial.trimmed().isEmpty())
        text += u' ' + middleInitial.trimmed();
    return text;
}

QString CustomerRecord::displayName() const
{
    return isBusiness() ? name.trimmed() : fields::fullName(title, firstName, middleInitial, lastName);
}

QByteArray CustomerRecord::encode() const
{
    RecordWriter w(kLength);
    auto put = [&](Field f, const QString &value) { w.putText(f.offset, f.width, value.trimmed()); };
    put(kAcctNo, acctNo);
    put(kName, name);
    put(kAddress1, address1);
    put(kAddress2, address2);
    put(kCityOrAddr3, cityOrAddr3);
    put(kCity, city);
    put(kState, state);
    w.putText(kZip.offset, kZip.width, zip); // exactly as typed
    put(kZipOrAddr4, zipOrAddr4);
    put(kPhone, phone);
    put(kCellPhone, cellPhone);
    put(kEmail, email);
    put(kTitle, title);
    put(kFirstName, firstName);
    put(kMiddleInitial, middleInitial);
    put(kLastName, lastName);
    put(kAcctType, acctType);
    w.putInt16(kReserved1, reserved1);
    w.putInt16(kReserved2, reserved2);
    return w.bytes();
}

QString CustomerRecord::acctNoOf(const QByteArray &bytes)
{
    return RecordReader(bytes).text(kAcctNo.offset, kAcctNo.width);
}

CustomerRecord CustomerRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    auto get = [&](Field f) { return r.text(f.offset, f.width); };
    CustomerRecord c;
    c.acctNo = get(kAcctNo);
    c.name = get(kName);
    c.address1 = get(kAddress1);
    c.address2 = get(kAddress2);
    c.cityOrAddr3 = get(kCityOrAddr3);
    c.city = get(kCity);
    c.state = get(kState);
    c.zip = get(kZip);
    c.zipOrAddr4 = get(kZipOrAddr4);
    c.phone = get(kPhone);
    c.cellPhone = get(kCellPhone);
    c.email = get(kEmail);
    c.title = get(kTitle);
    c.firstName = get(kFirstName);
    c.middleInitial = get(kMiddleInitial);
    c.lastName = get(kLastName);
    c.acctType = get(kAcctType);
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
