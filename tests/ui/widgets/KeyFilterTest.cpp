// The key filters on real entry boxes: a refused character is said once
// and never reaches the box; the money filter refuses silently.
#include "ui/widgets/KeyFilter.h"

#include "support/TestSupport.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace ui;

TEST(KeyFilter, OnEntryBoxes)
{
    ScriptedPrompt prompt;
    QLineEdit street, amount;
    KeyFilter::install(&street, KeyFilter::Kind::Text, prompt, usLocale());
    KeyFilter::install(&amount, KeyFilter::Kind::Money, prompt, usLocale());
    QTest::keyClicks(&street, QStringLiteral("Main St/"));
    EXPECT_EQ(street.text(), QStringLiteral("Main St"));
    ASSERT_EQ(prompt.entries.size(), 1);
    EXPECT_EQ(prompt.entries[0].text, QStringLiteral("This character, (/) is invalid for this field"));
    QTest::keyClick(&street, Qt::Key_Backspace);
    EXPECT_EQ(street.text(), QStringLiteral("Main S"));

    QTest::keyClicks(&amount, QStringLiteral("012a.5.0-"));
    EXPECT_EQ(amount.text(), QStringLiteral("12.50"));
    EXPECT_EQ(prompt.entries.size(), 1); // the money filter swallows silently
}
