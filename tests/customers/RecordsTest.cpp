// The byte images of the three account records, checked against the
// offsets and widths of the file layouts written out here by hand.
#include "catalog/CatalogRecords.h"
#include "customers/Records.h"
#include "ledger/Ledger.h"

#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

using namespace base;
using namespace customers;

namespace {

QByteArray blanks(int n)
{
    return QByteArray(n, ' ');
}

QByteArray padded(const char *text, int width)
{
    return QByteArray(text).leftJustified(width, ' ', true);
}

qint16 int16At(const QByteArray &b, int offset)
{
    return qFromLittleEndian<qint16>(b.constData() + offset);
}

double doubleAt(const QByteArray &b, int offset)
{
    double d = 0;
    std::memcpy(&d, b.constData() + offset, 8);
    return d;
}

} // namespace

TEST(Records, CustomerFieldsSitAtTheirOffsetsTrimmedAndCut)
{
    CustomerRecord c;
    c.acctNo = QStringLiteral("  A-100 ");
    c.name = QString(50, u'N'); // cut to 45
    c.address1 = QStringLiteral("12 Elm Street");
    c.address2 = QStringLiteral("PO Box 9");
    c.cityOrAddr3 = QStringLiteral("Springfield");
    c.city = QStringLiteral("Springfield");
    c.state = QStringLiteral("IL");
    c.zip = QStringLiteral(" 62701");                      // kept as typed
    c.zipOrAddr4 = QStringLiteral(" 62701");               // trimmed
    c.phone = QStringLiteral("217-555-01234");             // 13 characters
    c.cellPhone = QStringLiteral("217-555-012345");        // 14: the last one cut
    c.email = QStringLiteral("a@b.com");
    c.title = QStringLiteral("Mr.");
    c.firstName = QStringLiteral("John");
    c.middleInitial = QStringLiteral("Q");
    c.lastName = QStringLiteral("Public");
    c.acctType = QStringLiteral("Individual");
    c.reserved1 = 7;
    c.reserved2 = -2;

    const QByteArray b = c.encode();
    ASSERT_EQ(b.size(), 328);
    struct Slot {
        int offset;
        int width;
        QByteArray expected;
    };
    const Slot slots[] = {
        {0, 20, padded("A-100", 20)},
        {20, 45, QByteArray(45, 'N')},
        {65, 35, padded("12 Elm Street", 35)},
        {100, 25, padded("PO Box 9", 25)},
        {125, 25, padded("Springfield", 25)},
        {150, 20, padded("Springfield", 20)},
        {170, 2, "IL"},
        {172, 10, padded(" 62701", 10)},
        {182, 25, padded("62701", 25)},
        {207, 13, "217-555-01234"},
        {220, 13, "217-555-01234"},
        {233, 30, padded("a@b.com", 30)},
        {263, 10, padded("Mr.", 10)},
        {273, 15, padded("John", 15)},
        {288, 1, "Q"},
        {289, 25, padded("Public", 25)},
        {314, 10, "Individual"},
    };
    for (const Slot &s : slots)
        EXPECT_EQ(b.mid(s.offset, s.width), s.expected) << "offset " << s.offset;
    EXPECT_EQ(int16At(b, 324), 7);
    EXPECT_EQ(int16At(b, 326), -2);

    // Read back: every field trimmed, the reserved fields kept.
    const CustomerRecord back = CustomerRecord::decode(b);
    EXPECT_EQ(back.acctNo, QStringLiteral("A-100"));
    EXPECT_EQ(back.name.size(), 45);
    EXPECT_EQ(back.zip, QStringLiteral("62701"));
    EXPECT_EQ(back.cellPhone, QStringLiteral("217-555-01234"));
    EXPECT_EQ(back.reserved1, 7);
    EXPECT_EQ(back.reserved2, -2);
    EXPECT_EQ(back.encode().mid(0, 172), b.mid(0, 172));
}

TEST(Records, ShortCustomerRecordReadsBlank)
{
    const CustomerRecord blank = CustomerRecord::decode(QByteArray());
    EXPECT_TRUE(blank.acctNo.isEmpty());
    EXPECT_TRUE(blank.acctType.isEmpty());
    EXPECT_EQ(blank.reserved1, 0);
}

TEST(Records, CycleDefaultImageAndServiceKeptAsShown)
{
    const QByteArray d = CycleRecord().encode();
    QByteArray expected = padded("None", 35);
    expected += QByteArray(8, '\0');       // charge 0
    expected += QByteArray(2, '\0');       // monthly
    expected += blanks(20);                // "for" text
    expected += QByteArray(2, '\0');       // January
    expected += QByteArray("\xff\xff", 2); // flag -1
    EXPECT_EQ(d, expected);

    CycleRecord c;
    c.service = QStringLiteral("  Lawn Care");
    c.charge = Money::fromRaw(1065000); // $106.50
    c.billingMode = 1;
    c.chargeFor = QStringLiteral(" Unit # 7 ");
    c.startMonth = 11;
    const QByteArray b = c.encode();
    EXPECT_EQ(b.mid(0, 35), padded("  Lawn Care", 35)); // leading blanks kept
    EXPECT_EQ(qFromLittleEndian<qint64>(b.constData() + 35), 1065000);
    EXPECT_EQ(int16At(b, 43), 1);
    EXPECT_EQ(b.mid(45, 20), padded("Unit # 7", 20));
    EXPECT_EQ(int16At(b, 65), 11);
    const CycleRecord back = CycleRecord::decode(b);
    EXPECT_EQ(back.service, QStringLiteral("  Lawn Care"));
    EXPECT_EQ(back.chargeFor, QStringLiteral("Unit # 7"));
    EXPECT_EQ(back.charge, c.charge);
    EXPECT_EQ(CycleRecord::decode(b.left(68)), CycleRecord()); // past the end: the defaults
}

TEST(Records, ContractDefaultsCarryTheMomentAndTheNeverAssignedField)
{
    const QDateTime now(QDate(2026, 3, 14), QTime(9, 30)); // a Saturday
    const QByteArray b = ContractRecord::defaults(now, usLocale()).encode();
    ASSERT_EQ(b.size(), 386);
    EXPECT_EQ(b.mid(0, 35), padded("None Selected", 35));
    EXPECT_EQ(b.mid(35, 15), padded("None", 15));
    EXPECT_EQ(b.mid(50, 8), QByteArray(8, '\0'));
    EXPECT_EQ(b.mid(58, 9), padded("Saturday", 9));
    EXPECT_EQ(b.mid(67, 40), padded("None Selected", 40));
    const double day = double(QDate(1899, 12, 30).daysTo(QDate(2026, 3, 14))) + 9.5 / 24.0;
    EXPECT_NEAR(doubleAt(b, 107), day, 1e-9);
    EXPECT_NEAR(doubleAt(b, 115), day, 1e-9);
    EXPECT_EQ(int16At(b, 123), 0);
    EXPECT_EQ(int16At(b, 125), -1);
    EXPECT_EQ(int16At(b, 127), 0);
    EXPECT_EQ(b.mid(129, 20), padded("None", 20));
    EXPECT_EQ(b.mid(149, 50), blanks(50));
    EXPECT_EQ(b.mid(199, 35), QByteArray(35, '\0'));
    EXPECT_EQ(b.mid(234, 100), blanks(100));
    EXPECT_EQ(int16At(b, 334), 0);
    EXPECT_EQ(b.mid(336, 50), blanks(50));

    // Set again later: the moment changes, the field at 199 is kept as it was.
    QByteArray marked = b;
    marked.replace(199, 3, "XYZ");
    const ContractRecord before{marked};
    const QByteArray again =
        ContractRecord::defaults(QDateTime(QDate(2026, 3, 16), QTime(8, 0)), usLocale(), &before).encode();
    EXPECT_EQ(again.mid(58, 9), padded("Monday", 9));
    EXPECT_EQ(again.mid(199, 3), QByteArray("XYZ"));
}

// A bounded fuzz run of the record readers over random bytes (extreme
// 64-bit money values and NaN dates among them): every record decodes,
// shows its amounts and encodes again without undefined behaviour, which
// the sanitized test build would stop at.
TEST(Records, RandomBytesDecodeShowAndEncode)
{
    QRandomGenerator rng(1776);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes(int(rng.bounded(400)), '\0');
        for (char &c : bytes)
            c = char(rng.bounded(256));
        if (round % 3 == 0 && bytes.size() >= 43) // now and then the extremes themselves
            std::memcpy(bytes.data() + 35, round % 2 ? "\x00\x00\x00\x00\x00\x00\x00\x80" : "\xff\xff\xff\xff\xff\xff\xff\x7f", 8);
        const CustomerRecord c = CustomerRecord::decode(bytes.left(CustomerRecord::kLength));
        EXPECT_EQ(c.encode().size(), CustomerRecord::kLength);
        const CycleRecord y = CycleRecord::decode(bytes.left(CycleRecord::kLength));
        EXPECT_FALSE((y.charge + y.charge).toCurrencyText(usLocale()).isEmpty());
        EXPECT_FALSE((-y.charge * 12).toPlainText().isEmpty());
        EXPECT_EQ(y.encode().size(), CycleRecord::kLength);
        const ContractRecord k = ContractRecord::decode(bytes.left(ContractRecord::kLength), QDateTime(QDate(2026, 3, 14), QTime(9, 30)), usLocale());
        EXPECT_EQ(k.encode().size(), ContractRecord::kLength);
        const catalog::InventoriedItemRecord item = catalog::InventoriedItemRecord::decode(bytes.left(104));
        EXPECT_FALSE((item.price * item.discountQty - item.cost).toCurrencyText(usLocale()).isEmpty());
        ledger::balanceOf(bytes, usLocale()); // a ledger of whatever amounts the bytes hold
    }
}
