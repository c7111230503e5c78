// The invoice page and the shared page pieces, checked on the recording
// surface element by element: position, font and colour. The recording
// surface measures a character as half the font size and a line as 1.2
// times it, so a 10-point line is 240 twips high and a character 100 wide.
#include "printing/InvoicePage.h"
#include "printing/RecordingSurface.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace printing;
using base::Money;

namespace {

constexpr Rgb kTextColor = 0x00112233, kBorderColor = 0x00445566;

setup::BusinessValues business()
{
    setup::BusinessValues v = setup::BusinessValues::defaults(usLocale());
    v.businessName = QStringLiteral("Acme Lawns");
    v.businessAddress1 = QStringLiteral("12 Main Street");
    v.businessCity = QStringLiteral("Dayton");
    v.businessState = QStringLiteral("OH");
    v.businessZip = QStringLiteral("45402");
    v.businessPhone = QStringLiteral("937-555-0100");
    v.addressStyle = setup::AddressStyle::USA;
    v.printInColor = true;
    v.printTextColor = kTextColor;
    v.printBorderColor = kBorderColor;
    v.useRemittanceForm = true;
    v.usePlainPaper = false;
    v.taxHeading1 = QStringLiteral("Sales Tax");
    v.taxHeading2 = QStringLiteral("County Tax");
    return v;
}

InvoiceValues invoice()
{
    InvoiceValues i;
    i.acctNo = QStringLiteral("A1");
    i.invoiceNo = QStringLiteral("100234");
    i.date = QDate(2026, 3, 31);
    i.reference = QStringLiteral("March, 2026 Billing");
    i.customer = {QStringLiteral("Ann Lee"), QStringLiteral("4 Elm St"), QString(), QStringLiteral("Dayton"),
                  QStringLiteral("OH"), QStringLiteral("45402"), true};
    i.subTotal = Money::fromCents(4999);
    i.tax1 = Money::fromRaw(34993);
    i.tax2 = Money();
    i.total = Money::fromRaw(534893);
    return i;
}

ItemLine item(int n)
{
    return {QStringLiteral("1"), QStringLiteral("3/31/2026"), QStringLiteral("Item %1").arg(n), QStringLiteral("$1.00"),
            QStringLiteral("$1.00")};
}

struct Printed {
    explicit Printed(setup::BusinessValues v = business()) : values(std::move(v)) {}
    TestFolder folder;
    setup::BusinessValues values;
    RecordingSurface surface;
    PagePrinter printer{surface, values, folder.store(), QImage(8, 8, QImage::Format_RGB32)};

    PrintOp text(const QString &t) const
    {
        const std::optional<PrintOp> op = surface.findText(t);
        EXPECT_TRUE(op) << "not printed: " << t.toStdString();
        return op.value_or(PrintOp{});
    }
    double endOf(const PrintOp &op) const { return op.x + op.text.size() * op.font.size * 10.0; }
};

} // namespace

TEST(InvoicePage, FirstPageElementsAtTheirPositionsFontsAndColours)
{
    Printed p;
    p.folder.write(kStatementTermsFile, "\"Net 30 days\"\r\n");
    ASSERT_TRUE(printInvoice(p.printer, usLocale(), invoice(), {item(1)}));

    struct Case {
        const char *text;
        double x, y, size;
        bool bold;
        Rgb color;
    } cases[] = {
        {"INVOICE", 7200, 720, 26, true, kTextColor},
        {"Date 3/31/2026", 7200, 1296, 10, true, kBorderColor},
        {"INVOICE NO: 100234", 7200, 1536, 10, true, kBorderColor},
        {"Reference March, 2026 Billing", 7200, 1776, 10, true, kBorderColor},
        {"Amount Enclosed              _______________", 7200, 2256, 10, true, kBorderColor},
        {"Acct: A1", 7200, 2496, 10, true, kBorderColor},
        {"Page  1 ", 7200, 2736, 10, true, kBorderColor},
        {"QTY", 864, 5832, 10, true, kTextColor},
        {"DATE", 2160, 5832, 10, true, kTextColor},
        {"DESCRIPTION", 4464, 5832, 10, true, kTextColor},
        {"PRICE", 8496, 5832, 10, true, kTextColor},
        {"TOTAL", 10512, 5832, 10, true, kTextColor},
        {"Acme Lawns", 1440, 576, 12, true, kTextColor},
        {"12 Main Street", 1440, 576 + 288, 10, false, kTextColor},
        {"Dayton, OH. 45402", 1440, 576 + 288 + 240, 10, false, kTextColor},
        {"Telephone: 937-555-0100", 1440, 576 + 288 + 480, 10, false, kTextColor},
        {"Detach Here and Return Top Section", 4320, 5184, 6, true, kTextColor},
        // The address prints in the colour the frame left; black after it.
        {"Ann Lee", 1440, 3312, 10, false, kTextColor},
        {"Dayton, OH 45402", 1440, 3312 + 480, 10, false, kTextColor},
        {"from Acme Lawns", 1872, 14544, 14, true, kGreen},
        {"Item 1", 3312, 6480, 10, false, kBorderColor},
        {"ITEM SUB-TOTAL", 3312, 6480 + 480, 10, true, kTextColor},
        {"Sales Tax", 3312, 6480 + 720, 10, true, kTextColor},
        {"Thank you for your Business", 1872, 13824, 10, true, kBlue},
        {"Net 30 days", 1872, 13824 + 240, 10, true, kBlue},
    };
    for (const Case &c : cases) {
        const PrintOp op = p.text(QString::fromLatin1(c.text));
        EXPECT_NEAR(op.x, c.x, 0.01) << c.text;
        EXPECT_NEAR(op.y, c.y, 0.01) << c.text;
        EXPECT_EQ(op.font.size, c.size) << c.text;
        EXPECT_EQ(op.font.bold, c.bold) << c.text;
        EXPECT_EQ(op.color, c.color) << c.text;
        EXPECT_EQ(op.page, 1) << c.text;
    }
    // An empty line for the empty one under the reference, none for a tax of 0.
    EXPECT_FALSE(p.surface.findText(QStringLiteral("County Tax")));
    // Right-aligned amounts end at their columns.
    EXPECT_EQ(p.endOf(p.text(QStringLiteral("$49.99"))), 11520);
    EXPECT_EQ(p.endOf(p.text(QStringLiteral("$3.50"))), 11520);
    EXPECT_EQ(p.endOf(p.text(QStringLiteral("3/31/2026"))), 3024);
    EXPECT_EQ(p.text(QStringLiteral("1")).x, 1224);
    const PrintOp due = p.text(QStringLiteral("$53.49"));
    EXPECT_EQ(due.y, 13896);
    EXPECT_EQ(due.font.size, 12);
    EXPECT_TRUE(due.font.bold);
    EXPECT_EQ(due.color, kRed);
    EXPECT_EQ(p.endOf(due), 11520);
    // The logo is centred on its print width (1 in by default).
    const PrintOp logo = *std::find_if(p.surface.ops().begin(), p.surface.ops().end(),
                                       [](const PrintOp &op) { return op.kind == PrintOp::Picture; });
    EXPECT_EQ(logo.x, (12240 - 1440) / 2);
    EXPECT_EQ(logo.y, 720);
    EXPECT_EQ(p.surface.ops().last().kind, PrintOp::EndDocument);
}

TEST(InvoicePage, GridLinesAndTheBoldTopBox)
{
    Printed p;
    InvoicePage page(p.printer, usLocale());
    page.printPageFrame(QStringLiteral("INVOICE"), 0.4);
    QList<std::array<double, 4>> lines;
    std::optional<PrintOp> box;
    for (const PrintOp &op : p.surface.ops()) {
        if (op.kind == PrintOp::Box)
            box = op;
        if (op.kind == PrintOp::Line) {
            lines.append({op.x / 1440, op.y / 1440, op.x2 / 1440, op.y2 / 1440});
            EXPECT_EQ(op.color, kTextColor);
        }
    }
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->x, 360, 0.01);
    EXPECT_NEAR(box->y, 504, 0.01);
    EXPECT_NEAR(box->x2, 11880, 0.01);
    EXPECT_NEAR(box->y2, 5040, 0.01);
    EXPECT_EQ(box->drawWidth, 6);
    const QList<std::array<double, 4>> expected = {
        {0.25, 4.0, 8.25, 4.0},  {0.25, 4.25, 8.25, 4.25}, {0.25, 10.0, 8.25, 10.0}, {0.25, 8.5, 8.25, 8.5},
        {0.25, 9.5, 8.25, 9.5},  {0.25, 4.0, 0.25, 10.0},  {1.25, 4.0, 1.25, 10.0},  {8.25, 4.0, 8.25, 10.0},
        {2.25, 4.0, 2.25, 8.5},  {5.5, 4.0, 5.5, 8.5},     {7.0, 4.0, 7.0, 10.0},
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (size_t k = 0; k < 4; ++k)
            EXPECT_NEAR(lines[i][k], expected[i][k], 1e-6) << "line " << i;
    }
}

TEST(InvoicePage, PlainPaperMonochromeNoMemoAndAnEmptyReference)
{
    setup::BusinessValues v = business();
    v.useRemittanceForm = false;
    v.usePlainPaper = true;
    v.printInColor = false;
    Printed p(v);
    InvoiceValues i = invoice();
    i.reference.clear();
    ASSERT_TRUE(printInvoice(p.printer, usLocale(), i, {}));
    EXPECT_FALSE(p.surface.findText(QStringLiteral("Detach Here and Return Top Section")));
    EXPECT_FALSE(p.surface.findText(QStringLiteral("from Acme Lawns")));
    EXPECT_FALSE(p.surface.findText(QStringLiteral("MEMO:")));
    EXPECT_TRUE(p.surface.findText(QStringLiteral("Amount Enclosed              _______________")));
    const QStringList texts = p.surface.texts();
    const qsizetype no = texts.indexOf(QStringLiteral("INVOICE NO: 100234"));
    EXPECT_EQ(texts.mid(no + 1, 3),
              (QStringList{QString(), QString(), QStringLiteral("Amount Enclosed              _______________")}));
    for (const PrintOp &op : p.surface.ops())
        EXPECT_EQ(op.kind == PrintOp::Text || op.kind == PrintOp::Line ? op.color : kBlack, kBlack) << op.text.toStdString();
}

TEST(InvoicePage, ItemsPastTheItemAreaGoOnAContinuationPageAndEveryLinePrints)
{
    Printed p;
    QList<ItemLine> lines;
    for (int n = 1; n <= 30; ++n)
        lines.append(item(n));
    ASSERT_TRUE(printInvoice(p.printer, usLocale(), invoice(), lines));
    // 4.5 in to 8.5 in holds 24 lines of 240 twips.
    EXPECT_EQ(p.text(QStringLiteral("Item 24")).page, 1);
    EXPECT_EQ(p.text(QStringLiteral("Item 24")).y, 6480 + 23 * 240);
    const PrintOp next = p.text(QStringLiteral("Item 25"));
    EXPECT_EQ(next.page, 2);
    EXPECT_EQ(next.y, 6480);
    EXPECT_EQ(next.color, kBorderColor);
    EXPECT_EQ(p.text(QStringLiteral("Item 30")).page, 2);
    EXPECT_EQ(p.text(QStringLiteral("ITEM SUB-TOTAL")).page, 2);
    // Page 2 repeats the heading, with its own page number, and has no tear-off line.
    int pageTwoNumbers = 0, detachLines = 0;
    for (const PrintOp &op : p.surface.ops()) {
        pageTwoNumbers += op.kind == PrintOp::Text && op.page == 2 && op.text == QStringLiteral("Page  2 ");
        detachLines += op.text == QStringLiteral("Detach Here and Return Top Section");
    }
    EXPECT_EQ(pageTwoNumbers, 1);
    EXPECT_EQ(detachLines, 1);
    const std::optional<PrintOp> header = p.surface.findText(QStringLiteral("Acme Lawns"));
    int headersOnTwo = 0;
    for (const PrintOp &op : p.surface.ops())
        headersOnTwo += op.page == 2 && op.text == QStringLiteral("Acme Lawns") && op.y == 720;
    EXPECT_EQ(headersOnTwo, 1); // the header at 0.5 in on a continuation page
    ASSERT_TRUE(header);
}

TEST(InvoicePage, ATotalsLineThatWouldReachTheBottomStartsAContinuationPage)
{
    Printed p;
    InvoicePage page(p.printer, usLocale());
    page.startInvoice(invoice());
    p.surface.setCurrentY(13680 - 240 - 10); // room for the empty line only
    page.printInvoiceTotals();
    const PrintOp sub = p.text(QStringLiteral("ITEM SUB-TOTAL"));
    EXPECT_EQ(sub.page, 1);
    const PrintOp tax = p.text(QStringLiteral("Sales Tax"));
    EXPECT_EQ(tax.page, 2);
    EXPECT_NEAR(tax.y, 4.4 * 1440, 0.01);
    EXPECT_EQ(p.text(QStringLiteral("$53.49")).page, 2);
}

TEST(InvoicePage, MemoAndNarrativeStopAtTheLowerEdgeOfTheirAreas)
{
    Printed p;
    // Ten long values: more than 3.3 in can hold below 2.5 in.
    QByteArray memo;
    for (int i = 0; i < 10; ++i)
        memo += "\"Please note that the gate code changes in April and again in May\"\r\n";
    p.folder.write(kInvoiceMemoFile, memo);
    p.folder.write(narrativeFile(QStringLiteral("100234")), QByteArray("A narrative paragraph. ").repeated(60) + "\r\n");
    ASSERT_TRUE(printInvoice(p.printer, usLocale(), invoice(), {}));
    EXPECT_EQ(p.text(QStringLiteral("MEMO:")).y, 3600);
    EXPECT_EQ(p.text(QStringLiteral("MEMO:")).color, kTextColor);
    double lastMemo = 0, lastNarrative = 0;
    int memoLines = 0;
    for (const PrintOp &op : p.surface.ops()) {
        if (op.kind != PrintOp::Text)
            continue;
        if (op.x == 7200 && op.y > 3600 && op.y < 5832) { // the memo's lines below "MEMO:"
            lastMemo = std::max(lastMemo, op.y);
            ++memoLines;
            EXPECT_LE(p.endOf(op), 7200 + 3580) << op.text.toStdString();
        }
        if (op.text.contains(QStringLiteral("narrative"))) {
            EXPECT_EQ(op.x, 1872);
            EXPECT_EQ(op.font.size, 9);
            EXPECT_EQ(op.color, kRed);
            lastNarrative = std::max(lastNarrative, op.y);
        }
    }
    EXPECT_GT(memoLines, 2);
    EXPECT_LE(lastMemo, 4752);
    EXPECT_GT(lastMemo, 4752 - 240);
    EXPECT_GT(lastNarrative, 12384);
    EXPECT_LE(lastNarrative, 13536);
}

TEST(PagePrinter, BusinessHeaderCases)
{
    struct Case {
        const char *label;
        QString name, city, state;
        setup::AddressStyle style;
        double nameSize;
        QStringList lines; // after the name and the first address line
    } cases[] = {
        {"26 characters", QString(26, u'N'), QStringLiteral("Dayton"), QStringLiteral("OH"), setup::AddressStyle::USA, 10,
         {QStringLiteral("Dayton, OH. 45402")}},
        {"25 characters", QString(25, u'N'), QStringLiteral("Dayton"), QStringLiteral("OH"), setup::AddressStyle::USA, 12,
         {QStringLiteral("Dayton, OH. 45402")}},
        {"no state", QStringLiteral("Acme"), QStringLiteral("Dayton"), QString(), setup::AddressStyle::USA, 12,
         {QStringLiteral("Dayton, ")}},
        {"international", QStringLiteral("Acme"), QStringLiteral("Leeds"), QStringLiteral("LS1 4AB"),
         setup::AddressStyle::International, 12, {QStringLiteral("Leeds"), QStringLiteral("LS1 4AB")}},
    };
    for (const Case &c : cases) {
        setup::BusinessValues v = business();
        v.businessName = c.name;
        v.businessCity = c.city;
        v.businessState = c.state;
        v.addressStyle = c.style;
        v.businessPhone.clear();
        v.businessTaxId = QStringLiteral("EIN 12-3456789");
        Printed p(v);
        p.folder.write(kWebSiteFile, "\"www.acmelawns.example\"\r\n");
        p.printer.printBusinessHeader(1.0, 0.4, 12);
        const QStringList expected = QStringList{c.name, QStringLiteral("12 Main Street")} + c.lines
                                     + QStringList{QStringLiteral("EIN 12-3456789"), QStringLiteral("www.acmelawns.example")};
        EXPECT_EQ(p.surface.texts(), expected) << c.label;
        EXPECT_EQ(p.surface.ops().first().font.size, c.nameSize) << c.label;
        EXPECT_EQ(p.surface.ops().last().font.size, 10) << c.label;
        EXPECT_FALSE(p.surface.ops().last().font.bold) << c.label;
        EXPECT_FALSE(p.surface.texts().join(u' ').contains(QStringLiteral("45402"))
                     && c.style == setup::AddressStyle::International);
    }
}

TEST(PagePrinter, WrappingPositionsColoursAndSetup)
{
    Printed p;
    // 3,600 twips leave 3,580: a head with its blank of at most 35
    // characters at 100 twips each.
    p.printer.setPrintFont(10, false);
    p.printer.printWrapped(720, 1000, 3600,
                           QStringLiteral("The quick brown fox jumps over the lazy dog and then the cat ") + QString(50, u'x')
                               + QStringLiteral(" end"));
    EXPECT_EQ(p.surface.texts(), (QStringList{QStringLiteral("The quick brown fox jumps over the"),
                                              QStringLiteral("lazy dog and then the cat"), QString(35, u'x'),
                                              QString(15, u'x') + QStringLiteral(" end")}));
    EXPECT_EQ(p.surface.ops().first().y, 1000);
    EXPECT_EQ(p.surface.ops().last().y, 1000 + 3 * 240);
    EXPECT_EQ(p.surface.ops().last().x, 720);

    RecordingSurface narrow;
    PagePrinter tight(narrow, p.values, p.folder.store());
    tight.printWrapped(0, 0, 20, QStringLiteral("ab c")); // no room at all: one character a line, never a loop
    EXPECT_EQ(narrow.texts(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));

    p.surface.setCurrentX(111);
    p.surface.setCurrentY(222);
    p.printer.setPrintPos(0, 2.3);
    EXPECT_EQ(p.surface.currentX(), 111);
    EXPECT_EQ(p.surface.currentY(), 2.3 * 1440);
    p.printer.setPrintPos(1.0, 0);
    EXPECT_EQ(p.surface.currentX(), 1440);
    EXPECT_EQ(p.surface.currentY(), 2.3 * 1440);

    p.printer.printerSetup(QStringLiteral("portrait"), true);
    EXPECT_EQ(p.surface.orientation(), Orientation::Landscape);
    p.printer.printerSetup(QStringLiteral("Portrait"), false);
    EXPECT_EQ(p.surface.orientation(), Orientation::Portrait);
    EXPECT_EQ(p.surface.colorMode(), ColorMode::Monochrome);

    setup::BusinessValues mono = business();
    mono.printInColor = false;
    Printed m(mono);
    for (bool border : {true, false}) {
        m.printer.setPrintColor(border);
        EXPECT_EQ(m.surface.foreColor(), kBlack);
        EXPECT_EQ(m.printer.lineColor(), kBlack);
    }
    p.printer.setPrintColor(true);
    EXPECT_EQ(p.printer.lineColor(), kBorderColor);
}

// With the previous balance shown, the totals block carries the invoice's
// total, the balance before it and the amount due under the taxes, the
// figure at the foot and the remittance section ask for the amount due;
// without it the invoice is as ever.
TEST(InvoicePage, ThePreviousBalanceAndTheAmountDueWhenTheBusinessShowsThem)
{
    for (const bool shown : {true, false}) {
        Printed p;
        InvoiceValues values = invoice();
        if (shown)
            values.previousBalance = Money::fromCents(12000);
        ASSERT_TRUE(printInvoice(p.printer, usLocale(), values, {item(1)}));
        const QStringList texts = p.surface.texts();
        EXPECT_EQ(texts.contains(QStringLiteral("PREVIOUS BALANCE")), shown);
        EXPECT_EQ(texts.contains(QStringLiteral("Amount Due $173.49")), shown);
        if (!shown) {
            EXPECT_TRUE(texts.contains(QStringLiteral("$53.49")));
            EXPECT_FALSE(texts.contains(QStringLiteral("$173.49")));
            continue;
        }
        const PrintOp tax = p.text(QStringLiteral("Sales Tax"));
        const PrintOp invoiceTotal = p.text(QStringLiteral("INVOICE TOTAL"));
        const PrintOp previous = p.text(QStringLiteral("PREVIOUS BALANCE"));
        const PrintOp due = p.text(QStringLiteral("AMOUNT DUE"));
        EXPECT_EQ(invoiceTotal.x, 2.3 * 1440);
        EXPECT_EQ(due.x, 2.3 * 1440);
        EXPECT_GT(invoiceTotal.y, tax.y);
        EXPECT_NEAR(previous.y - invoiceTotal.y, 240, 0.01); // a 10-point line apart
        EXPECT_NEAR(due.y - previous.y, 240, 0.01);
        const PrintOp balance = p.text(QStringLiteral("$120.00"));
        EXPECT_NEAR(balance.y, previous.y, 0.01);
        EXPECT_NEAR(p.endOf(balance), 11520, 0.01);
        // The figure at the foot is the amount due, in 12 points.
        std::optional<PrintOp> foot;
        for (const PrintOp &op : p.surface.ops())
            if (op.kind == PrintOp::Text && op.text == QStringLiteral("$173.49") && op.font.size == 12)
                foot = op;
        ASSERT_TRUE(foot);
        EXPECT_NEAR(foot->y, 13896, 0.01);
    }
}
