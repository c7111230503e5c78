#include "base/ValueList.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace base;

TEST(ValueList, WritesTheQuotedForm)
{
    valuelist::Writer w;
    w.text(QStringLiteral("Sales Tax")).integer(-3).boolean(true).boolean(false).single(1440.0f).endLine();
    w.single(0.5f).text(QString()).endLine();
    EXPECT_EQ(w.bytes(), QByteArray("\"Sales Tax\",-3,#TRUE#,#FALSE#,1440\r\n0.5,\"\"\r\n"));
}

TEST(ValueList, TextsComeBackExactly)
{
    const QStringList texts = {
        QStringLiteral("plain"), QString(), QStringLiteral("a, b"), QStringLiteral("say \"hi\""),
        QStringLiteral("\""), QStringLiteral("ends with \""), QStringLiteral("  padded  "),
        QStringLiteral("Café Müller"), QStringLiteral("€ 5 – ok"), QStringLiteral("two\r\nlines"),
    };
    valuelist::Writer w;
    for (const QString &t : texts)
        w.text(t);
    valuelist::Reader r(w.bytes());
    for (const QString &t : texts)
        EXPECT_EQ(r.text(), t);
    EXPECT_TRUE(r.atEnd());
    // Latin-1 when it fits (older readers), UTF-8 only when it must.
    EXPECT_EQ(valuelist::Writer().text(QStringLiteral("Café")).bytes(), QByteArray("\"Caf\xE9\"\r\n"));
}

TEST(ValueList, ReadsFieldsAcrossLinesWithDefaults)
{
    valuelist::Reader r(QByteArray("  \"A\" , 12 ,#TRUE#\r\n\"x\"junk,7.6\n5,0\r"));
    EXPECT_EQ(r.text(), QStringLiteral("A"));
    EXPECT_EQ(r.integer(0), 12);
    EXPECT_TRUE(r.boolean(false));
    EXPECT_EQ(r.text(), QStringLiteral("x")); // text after a closing quote is not part of it
    EXPECT_EQ(r.integer(0), 8);               // a decimal read as a whole number rounds
    EXPECT_EQ(r.integer(0), 5);
    EXPECT_EQ(r.integer(0), 0);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.integer(42), 42); // missing values give the default
    EXPECT_EQ(r.text(QStringLiteral("d")), QStringLiteral("d"));

    valuelist::Reader wrong(QByteArray("\"abc\",\"#TRUE#\",-1,#FALSE#"));
    EXPECT_EQ(wrong.integer(9), 9);        // not a number
    EXPECT_TRUE(wrong.boolean(false));     // a quoted Boolean still reads
    EXPECT_TRUE(wrong.boolean(false));     // -1 is True
    EXPECT_EQ(wrong.single(2.5f), 2.5f);   // a Boolean is no number

    valuelist::Reader empties(QByteArray("1,,3\r\n,"));
    EXPECT_EQ(empties.fieldCount(), 5u);
}

TEST(ValueList, PlainLines)
{
    EXPECT_EQ(valuelist::writePlainLines({QStringLiteral("[InternetShortcut]"), QStringLiteral("URL = x")}),
              QByteArray("[InternetShortcut]\r\nURL = x\r\n"));
    EXPECT_EQ(valuelist::readPlainLines(QByteArray("a\r\nb\nc\r\r\nlast")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QString(),
                           QStringLiteral("last")}));
}

// Arbitrary bytes never crash the reader, and every value it yields can be
// written and read back to the same text.
TEST(ValueList, RandomBytesNeverCrashTheReader)
{
    QRandomGenerator rng(20261206);
    const char alphabet[] = "\"\",,\r\n#TRUE#FALSE 0123456789.-abc\xE9\xC3\xFF";
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int length = int(rng.bounded(64));
        for (int i = 0; i < length; ++i) {
            bytes.append(rng.bounded(4) == 0 ? char(rng.bounded(256))
                                             : alphabet[rng.bounded(int(sizeof alphabet - 1))]);
        }
        valuelist::Reader r(bytes);
        QStringList seen;
        while (!r.atEnd())
            seen.append(r.text());
        valuelist::Writer w;
        for (const QString &s : seen)
            w.text(s);
        valuelist::Reader again(w.bytes());
        for (const QString &s : seen)
            ASSERT_EQ(again.text(), s) << bytes.toHex().constData();
        valuelist::Reader typed(bytes);
        for (int i = 0; i < 8; ++i) {
            typed.integer(0);
            typed.boolean(false);
            typed.single(0.0f);
        }
    }
}
