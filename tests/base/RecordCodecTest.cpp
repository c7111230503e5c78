#include "base/RecordCodec.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace base;

TEST(RecordCodec, FieldsLandAtTheirOffsets)
{
    RecordWriter w(40);
    w.putText(0, 6, QStringLiteral("ABC"));
    w.putText(6, 3, QStringLiteral("TOOLONG"));
    w.putInt16(9, -2);
    w.putInt32(11, 0x01020304);
    w.putMoney(15, Money::fromRaw(123450000)); // $12,345.00
    w.putDouble(23, 46362.75);
    w.putText(31, 4, QStringLiteral("\u20AC\u00E9"));
    const QByteArray &b = w.bytes();
    ASSERT_EQ(b.size(), 40);
    EXPECT_EQ(b.mid(0, 6), QByteArray("ABC   "));
    EXPECT_EQ(b.mid(6, 3), QByteArray("TOO"));
    EXPECT_EQ(b.mid(9, 2), QByteArray("\xFE\xFF", 2));
    EXPECT_EQ(b.mid(11, 4), QByteArray("\x04\x03\x02\x01", 4));
    EXPECT_EQ(b.mid(15, 8), QByteArray("\x90\xB2\x5B\x07\x00\x00\x00\x00", 8));
    EXPECT_EQ(b.mid(23, 8), QByteArray("\x00\x00\x00\x00\x58\xA3\xE6\x40", 8));
    EXPECT_EQ(b.mid(31, 4), QByteArray("?\xE9  ", 4));   // outside Latin-1 is "?"
    EXPECT_EQ(b.mid(35, 5), QByteArray(5, '\0'));          // never assigned: NUL bytes

    RecordReader r(b);
    EXPECT_EQ(r.text(0, 6), QStringLiteral("ABC"));
    EXPECT_EQ(r.int16(9), -2);
    EXPECT_EQ(r.int32(11), 0x01020304);
    EXPECT_EQ(r.money(15).raw(), 123450000);
    EXPECT_EQ(r.date(23), QDateTime(QDate(2026, 12, 6), QTime(18, 0)));
    EXPECT_EQ(r.text(31, 4), QStringLiteral("?\u00E9"));
    EXPECT_EQ(r.text(35, 5), QString());
}

TEST(RecordCodec, TrimsBlanksAndNulsAndReadsShortRecords)
{
    const QByteArray b("  1001\0\0  xy", 12);
    RecordReader r(b);
    EXPECT_EQ(r.text(0, 8), QStringLiteral("1001"));
    EXPECT_EQ(r.rawText(0, 6), QStringLiteral("  1001"));
    // Past the end of a short record: blanks and zeros.
    EXPECT_EQ(r.text(10, 10), QStringLiteral("xy"));
    EXPECT_EQ(r.text(20, 5), QString());
    EXPECT_EQ(r.int16(11), qint16('y'));
    EXPECT_EQ(r.money(100).raw(), 0);

    // Rewriting keeps the fields a writer does not own.
    RecordWriter keep(b, 16);
    keep.putText(0, 6, QStringLiteral("2002"));
    EXPECT_EQ(keep.bytes().mid(6), QByteArray("\0\0  xy\0\0\0\0", 10));
}

TEST(RecordCodec, RandomBytesNeverCrashTheReader)
{
    QRandomGenerator rng(1899);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(rng.bounded(80)), '\0');
        for (char &c : bytes)
            c = char(rng.bounded(256));
        RecordReader r(bytes);
        const int offset = int(rng.bounded(100)) - 10;
        const int width = int(rng.bounded(50));
        const QString t = r.text(offset, width);
        EXPECT_LE(t.size(), width);
        r.int16(offset);
        r.int32(offset);
        r.money(offset);
        r.date(offset); // any double, NaN and infinities included
    }
}
