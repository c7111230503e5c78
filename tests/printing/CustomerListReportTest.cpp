// The customer list's rows and pages on the recording surface (a 10-point
// line is 240 twips there), and an invoice rendered to a real PDF whose
// words are found where the layout put them.
#include "printing/CustomerListReport.h"
#include "printing/InvoicePage.h"
#include "printing/PainterSurface.h"
#include "printing/RecordingSurface.h"

#include "support/PdfWords.h"
#include "support/TestSupport.h"

#include <QPdfWriter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace printing;
using namespace customers;

namespace {

CustomerFile customersOf(int count, bool withNames = true)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        CustomerRecord r;
        r.acctNo = QString::number(i);
        r.acctType = CustomerRecord::kIndividual;
        r.firstName = QStringLiteral("Pat");
        r.lastName = QStringLiteral("Doe%1").arg(i);
        if (withNames)
            r.name = QStringLiteral("Customer %1").arg(i);
        r.address1 = QStringLiteral("%1 Oak Road").arg(i);
        r.cityOrAddr3 = QStringLiteral("Dayton");
        r.state = QStringLiteral("OH");
        r.zipOrAddr4 = QStringLiteral("45402");
        r.phone = QStringLiteral("555-01%1").arg(i, 2, 10, QChar(u'0'));
        bytes += r.encode();
    }
    return CustomerFile(bytes);
}

struct Report {
    explicit Report(bool usa, int count, bool withNames = true) : values(setup::BusinessValues::defaults(usLocale()))
    {
        values.businessName = QStringLiteral("Acme Lawns");
        values.businessAddress1 = QStringLiteral("12 Main Street");
        ok = printCustomerList(printer, customersOf(count, withNames), usa, QDateTime(QDate(2026, 12, 7), QTime(9, 30)),
                               usLocale());
    }
    TestFolder folder;
    setup::BusinessValues values;
    RecordingSurface surface;
    PagePrinter printer{surface, values, folder.store()};
    bool ok = false;
    PrintOp op(const QString &t) const { return surface.findText(t).value_or(PrintOp{}); }
};

} // namespace

TEST(CustomerListReport, RowsOfThreeFromTwoAndAQuarterInchesAndTheHeader)
{
    struct Case {
        bool usa;
        double rowStep; // in lines
        QString locality;
    } cases[] = {{true, 5, QStringLiteral("Dayton, OH 45402")}, {false, 6, QStringLiteral("Dayton")}};
    for (const Case &c : cases) {
        Report r(c.usa, 7);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.surface.orientation(), Orientation::Landscape);
        const PrintOp title = r.op(QStringLiteral("Account Information"));
        EXPECT_EQ(title.y, 720);
        EXPECT_EQ(title.x, (15840 - 19 * 140) / 2); // centred on the landscape page
        EXPECT_EQ(title.font.size, 14);
        EXPECT_TRUE(title.font.bold && title.font.underline);
        EXPECT_NEAR(r.op(QStringLiteral("Acme Lawns")).y, 0.8 * 1440, 0.01);
        EXPECT_EQ(r.op(QStringLiteral("12/7/26 9:30 AM")).x, 9 * 1440);
        const double line = 240;
        struct Entry {
            int customer;
            double x, y;
        } entries[] = {{1, 1440, 3240}, {2, 5760, 3240}, {3, 10080, 3240},
                       {4, 1440, 3240 + c.rowStep * line}, {7, 1440, 3240 + 2 * c.rowStep * line}};
        for (const Entry &e : entries) {
            const PrintOp name = r.op(QStringLiteral("Customer %1").arg(e.customer));
            EXPECT_NEAR(name.x, e.x, 0.01) << e.customer;
            EXPECT_NEAR(name.y, e.y, 0.01) << e.customer;
            EXPECT_FALSE(name.font.bold || name.font.underline) << e.customer;
        }
        const QStringList texts = r.surface.texts();
        const qsizetype first = texts.indexOf(QStringLiteral("Customer 1"));
        QStringList entry = {QStringLiteral("Customer 1"), QStringLiteral("1 Oak Road"), c.locality};
        if (!c.usa)
            entry.append(QStringLiteral("45402"));
        entry.append(QStringLiteral("555-0101"));
        EXPECT_EQ(texts.mid(first, entry.size()), entry);
    }
}

TEST(CustomerListReport, ANewPageWithTheHeaderWhenTheNextRowWouldNotFit)
{
    // Landscape: 12,240 twips high. Rows start at 3,240 and are 1,200 apart:
    // the row at 10,440 fits (10,440 + 1,200 is below 12,240); the next, at
    // 11,640, would not (12,840), so it starts page 2.
    Report r(true, 7 * 3 + 1);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.op(QStringLiteral("Customer 21")).page, 1);
    EXPECT_NEAR(r.op(QStringLiteral("Customer 21")).y, 3240 + 6 * 1200, 0.01);
    EXPECT_EQ(r.op(QStringLiteral("Customer 22")).page, 2);
    EXPECT_NEAR(r.op(QStringLiteral("Customer 22")).y, 3240, 0.01);
    int titles = 0;
    for (const PrintOp &op : r.surface.ops())
        titles += op.text == QStringLiteral("Account Information");
    EXPECT_EQ(titles, 2);
}

TEST(CustomerListReport, AnIndividualWithoutAStoredNamePrintsTheComposedName)
{
    Report r(true, 1, false);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.op(QStringLiteral("Pat Doe1")).x, 1440);
}

// The painter path for real: twips to points, the baseline, the fonts.
TEST(PainterSurface, AnInvoiceInAPdfHasItsWordsWhereTheLayoutPutThem)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_FAIL() << "pdftotext (poppler-utils) is not installed; the README's test command installs it";
    TestFolder folder;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("invoice.pdf"));
    setup::BusinessValues v = setup::BusinessValues::defaults(usLocale());
    v.businessName = QStringLiteral("Acme Lawns");
    v.printFontName = QStringLiteral("Liberation Sans");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        PainterSurface surface(writer);
        PagePrinter printer(surface, v, folder.store());
        printer.printerSetup(QStringLiteral("Portrait"), false);
        InvoiceValues i;
        i.invoiceNo = QStringLiteral("100234");
        i.date = QDate(2026, 3, 31);
        i.total = base::Money::fromCents(5349);
        ASSERT_TRUE(printInvoice(printer, usLocale(), i, {}));
    }
    const QStringList words = PdfWords::wordBoxes(pdf);
    auto boxOf = [&](const char *word) {
        const QList<QRect> at = PdfWords::boxesOf(words, QString::fromLatin1(word));
        EXPECT_FALSE(at.isEmpty()) << word << " not in " << words.join(u' ').toStdString();
        const QRect r = at.value(0);
        return std::array<double, 4>{double(r.left()), double(r.top()), double(r.right()), double(r.bottom())};
    };
    // Points are twips / 20. "INVOICE" at (7200, 720): x 360 pt, the top of
    // its 26-point cell at 36 pt, so its glyphs start a little below.
    const auto title = boxOf("INVOICE");
    EXPECT_NEAR(title[0], 360, 3);
    EXPECT_GE(title[1], 36 - 1);
    EXPECT_LE(title[1], 36 + 10);
    EXPECT_NEAR(title[3] - title[1], 26 * 1.15, 8); // a 26-point line
    // "QTY" at (864, 5832) in 10 points.
    const auto qty = boxOf("QTY");
    EXPECT_NEAR(qty[0], 43.2, 2);
    EXPECT_GE(qty[1], 291.6 - 1);
    EXPECT_LE(qty[1], 291.6 + 5);
    // The amount due ends at 8 in (576 pt).
    EXPECT_NEAR(boxOf("$53.49")[2], 576, 3);
}
