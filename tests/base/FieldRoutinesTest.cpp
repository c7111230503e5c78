#include "base/FieldRoutines.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace base;

TEST(FieldRoutines, MoneyKeyFilter)
{
    struct Case {
        char key;
        const char *box;
        bool accepted;
    };
    const Case cases[] = {
        {'0', "", false}, {'0', "1", true},  {'.', "1.5", false}, {'.', "15", true},
        {'a', "1", false}, {'-', "", false}, {'9', "", true},     {'.', "", true},
    };
    for (const Case &c : cases) {
        const QChar result = fields::moneyKeyFilter(QChar(c.key), QString::fromLatin1(c.box));
        EXPECT_EQ(!result.isNull(), c.accepted) << c.key << " into " << c.box;
        if (c.accepted) {
            EXPECT_EQ(result, QChar(c.key));
        }
    }
}

TEST(FieldRoutines, TextKeyFilterRefusesTheSevenCharactersInText)
{
    ScriptedPrompt prompt;
    const QLocale us = usLocale();
    EXPECT_TRUE(fields::textKeyFilter(u'/', QStringLiteral("Main St"), prompt, us).isNull());
    ASSERT_EQ(prompt.entries.size(), 1);
    EXPECT_EQ(prompt.entries[0].text, QStringLiteral("This character, (/) is invalid for this field"));
    EXPECT_EQ(prompt.entries[0].title, QStringLiteral("Invalid Key entry"));
    EXPECT_EQ(prompt.beeps, 1);

    for (QChar c : QStringLiteral(",&.\\*?"))
        EXPECT_TRUE(fields::textKeyFilter(c, QStringLiteral("Oak"), prompt, us).isNull()) << c.toLatin1();
    EXPECT_EQ(prompt.entries.size(), 7);

    // A numeric box takes anything; ordinary keys and backspace pass.
    EXPECT_EQ(fields::textKeyFilter(u'/', QStringLiteral("123"), prompt, us), QChar(u'/'));
    EXPECT_EQ(fields::textKeyFilter(u'.', QStringLiteral(" $1,234.5 "), prompt, us), QChar(u'.'));
    EXPECT_EQ(fields::textKeyFilter(u'-', QStringLiteral("Main St"), prompt, us), QChar(u'-'));
    EXPECT_EQ(fields::textKeyFilter(QChar(8), QStringLiteral("Main St"), prompt, us), QChar(8));
    EXPECT_EQ(prompt.entries.size(), 7);
}

TEST(FieldRoutines, FullName)
{
    struct Case {
        const char *title, *first, *middle, *last, *expected;
    };
    const Case cases[] = {
        {"Mr", "John", "Q", "Smith", "Mr John Q. Smith"},
        {"Mr", "John", "", "Smith", "Mr John Smith"},
        {"", "", "", "  Smith  ", "Smith"},
        {"Mrs", "", "", "", "Mrs "},
        {" Ms ", " Ann ", " B ", "", "Ms Ann B. "},
        {"", "", "", "", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(fields::fullName(QString::fromLatin1(c.title), QString::fromLatin1(c.first),
                                   QString::fromLatin1(c.middle), QString::fromLatin1(c.last)),
                  QString::fromLatin1(c.expected));
    }
}

