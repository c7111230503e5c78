// Contracts: the termination dates, the placeholder replacement with the
// replaced word's formatting, and rich text read and written so that a
// contract and a word processor's template keep their text and formatting.
#include "contracts/Contract.h"
#include "contracts/Rtf.h"

#include "support/TestSupport.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace contracts;

namespace {

// The formatting at a word's first character.
QTextCharFormat formatOf(QTextDocument &doc, const QString &word)
{
    const QTextCursor found = doc.find(word);
    EXPECT_FALSE(found.isNull()) << word.toStdString();
    QTextCursor at(&doc);
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

} // namespace

TEST(Contract, TerminationDates)
{
    struct Case {
        QDate start;
        const char *duration;
        QString expected;
    } cases[] = {
        {QDate(2027, 1, 31), "1 Month", QStringLiteral("2/28/2027")},
        {QDate(2028, 1, 31), "1 Month", QStringLiteral("2/29/2028")},
        {QDate(2026, 11, 30), "3 Months", QStringLiteral("2/28/2027")},
        {QDate(2026, 3, 15), "6 Months", QStringLiteral("9/15/2026")},
        {QDate(2026, 3, 15), "1 Year", QStringLiteral("3/15/2027")},
        {QDate(2026, 3, 15), "2 Years", QString(21, u'_')},
    };
    for (const Case &c : cases)
        EXPECT_EQ(terminationText(c.start, QString::fromLatin1(c.duration), usLocale()), c.expected) << c.duration;
    EXPECT_EQ(contractFile(QStringLiteral(" A1 ")), QStringLiteral("/Templates/Contracts/Contract - A1.rtf"));
    EXPECT_TRUE(contractFile(QStringLiteral("../x")).isEmpty());
}

TEST(Contract, PlaceholdersTakeTheirWordsFormattingAndAreReplacedOnce)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat plain, bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("Agreement between "), plain);
    c.insertText(QStringLiteral("CONTRACTORNAME"), bold);
    c.insertText(QStringLiteral(" and UNDERSIGNEDCUSTOMER for TERMS. Price COST, again COST. It will RENEWS. "
                                "(Insert Services and Prices Here) and (Insert Services and Prices Here)."),
                 plain);
    ContractValues v;
    v.service = QStringLiteral("Lawn care");
    v.price = base::Money::fromCents(4500);
    v.businessName = QStringLiteral("TERMS Lawn {Care} \\ Café"); // holds a placeholder word
    v.customerName = QStringLiteral("Ann Lee");
    v.created = v.commencing = QDate(2026, 3, 15);
    v.duration = QStringLiteral("TERMS 2"); // a typed term holding its own word
    v.frequency = QStringLiteral("Quarterly");
    v.renews = true;
    fillContract(doc, v, usLocale());
    EXPECT_EQ(doc.toPlainText(),
              QStringLiteral("Agreement between TERMS Lawn {Care} \\ Café and Ann Lee for TERMS 2. Price $45.00, again "
                             "$45.00. It will automatically Renew. Lawn care - $45.00 and (Insert Services and Prices "
                             "Here)."));
    EXPECT_EQ(formatOf(doc, QStringLiteral("Lawn {Care}")).fontWeight(), QFont::Bold);
    EXPECT_NE(formatOf(doc, QStringLiteral("Ann Lee")).fontWeight(), QFont::Bold);

    // The filled contract written and read back: the same text, { } \ and é included.
    QTextDocument back;
    ASSERT_TRUE(readRtf(writeRtf(doc), back));
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    EXPECT_EQ(formatOf(back, QStringLiteral("Lawn {Care}")).fontWeight(), QFont::Bold);
}

TEST(Rtf, AWrittenDocumentReadsBackWithItsFormatting)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(16);
    title.setFontFamilies({QStringLiteral("Liberation Serif")});
    c.insertText(QStringLiteral("SERVICE AGREEMENT"), title);
    QTextBlockFormat indented;
    indented.setLeftMargin(1440 / kTwipsPerPixel);
    indented.setRightMargin(1080 / kTwipsPerPixel);
    indented.setTextIndent(-360 / kTwipsPerPixel);
    indented.setAlignment(Qt::AlignJustify);
    QTextCharFormat body, italic, red;
    body.setFontPointSize(11);
    italic.setFontItalic(true);
    italic.setFontPointSize(11);
    italic.setFontUnderline(true);
    red.setForeground(QColor(200, 0, 0));
    red.setFontPointSize(11);
    c.insertBlock(indented);
    c.insertText(QStringLiteral("1.\tThe work "), body);
    c.insertText(QStringLiteral("as described"), italic);
    c.insertText(QStringLiteral(" — in red"), red);

    QTextDocument back;
    ASSERT_TRUE(readRtf(writeRtf(doc), back));
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    ASSERT_EQ(back.blockCount(), 2);
    EXPECT_EQ(back.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextBlockFormat second = back.begin().next().blockFormat();
    EXPECT_EQ(second.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(second.leftMargin(), 1440 / kTwipsPerPixel);
    EXPECT_DOUBLE_EQ(second.rightMargin(), 1080 / kTwipsPerPixel);
    EXPECT_DOUBLE_EQ(second.textIndent(), -360 / kTwipsPerPixel);
    const QTextCharFormat t = formatOf(back, QStringLiteral("SERVICE"));
    EXPECT_EQ(t.fontWeight(), QFont::Bold);
    EXPECT_EQ(t.fontPointSize(), 16);
    EXPECT_EQ(t.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Serif"));
    const QTextCharFormat i = formatOf(back, QStringLiteral("as described"));
    EXPECT_TRUE(i.fontItalic());
    EXPECT_TRUE(i.fontUnderline());
    EXPECT_NE(i.fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(back, QStringLiteral("in red")).foreground().color(), QColor(200, 0, 0));
}

TEST(Rtf, AWordProcessorsTemplateReadsWithoutLosingText)
{
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}"
        "{\\f1\\fswiss\\fprq2\\fcharset0 Arial{\\*\\falt Helvetica};}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
        "{\\stylesheet{\\s0\\snext0 Normal;}{\\s1 heading 1;}}\r\n"
        "{\\*\\generator LibreOffice/7.4;}{\\info{\\title Contract}{\\author Pat}}\r\n"
        "{\\*\\pgdsctbl{\\pgdsc0\\pgdscuse451 Standard;}}\r\n"
        "\\viewkind4\\uc1\\pard\\plain\\qc\\f1\\fs28\\b Service Agreement\\b0\\par\r\n"
        "\\pard\\plain\\li720\\f0\\fs22 Caf\\'e9 \\ldblquote CONTRACTORNAME\\rdblquote  agrees\\tab to "
        "{\\i\\cf1 mow} the lawn\\line weekly \\u8212? for COST.\\par\r\n"
        "{\\pict\\pngblip 89504e470d0a}\r\n"
        "\\pard\\plain End\\~here.\\par}";
    QTextDocument doc;
    ASSERT_TRUE(readRtf(rtf, doc));
    // (Plain text shows a line break as a new line and a fixed blank as a blank.)
    EXPECT_EQ(doc.toPlainText(),
              QStringLiteral("Service Agreement\nCafé \u201CCONTRACTORNAME\u201D agrees\tto mow the lawn\nweekly "
                             "\u2014 for COST.\nEnd here.\n"))
        << doc.toPlainText().toStdString();
    EXPECT_TRUE(doc.toRawText().contains(QChar(0x2028)));
    EXPECT_TRUE(doc.toRawText().contains(QChar(0x00A0)));
    EXPECT_EQ(formatOf(doc, QStringLiteral("Service")).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(doc, QStringLiteral("Service")).fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
    EXPECT_EQ(formatOf(doc, QStringLiteral("mow")).foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(formatOf(doc, QStringLiteral("mow")).fontItalic());
    EXPECT_FALSE(formatOf(doc, QStringLiteral("agrees")).fontItalic());
    EXPECT_DOUBLE_EQ(doc.findBlockByNumber(1).blockFormat().leftMargin(), 720 / kTwipsPerPixel);
    EXPECT_FALSE(readRtf("plain text", doc));
}
