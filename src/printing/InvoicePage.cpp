#include "printing/InvoicePage.h"

#include "base/Dates.h"
#include "base/ValueList.h"

using namespace base;

namespace printing {

namespace {
constexpr double in(double inches) { return inches * kTwipsPerInch; }

QString firstValue(const store::FileStore &store, const QString &file)
{
    if (!store.dataFileExists(file))
        return QString();
    valuelist::Reader r(store.readFile(file).value_or(QByteArray()));
    return r.text();
}
} // namespace

QString narrativeFile(const QString &invoiceNo)
{
    return QStringLiteral("/Brenvoy/Narratives/") + invoiceNo + QStringLiteral(".txt");
}

void InvoicePage::startInvoice(const InvoiceValues &invoice)
{
    m_invoice = invoice;
    printRemittanceBlock();
    printPageFrame(m_invoice.title, 0.4);
    if (m_p.values().useRemittanceForm)
        m_p.printDetachLine();
    m_p.printCustomerAddress(m_invoice.customer, 2.3);
    m_p.surface().setCurrentY(kFirstItemY);
}

void InvoicePage::printPageFrame(const QString &title, double headerY)
{
    PrintSurface &s = m_p.surface();
    m_p.setPrintColor(false);
    s.setPageWidth(12240);
    s.setDrawWidth(6);
    s.setForeColor(kBlack); // the border sample's own text colour
    const Rgb c = m_p.lineColor();
    s.box(in(0.25), in(0.35), in(8.25), in(3.5), c);
    for (double y : {4.0, 4.25, 10.0})
        s.line(in(0.25), in(y), in(8.25), in(y), c);
    m_p.setPrintFont(14, true);
    if (m_p.values().printInColor)
        s.setForeColor(kGreen);
    if (m_p.values().useRemittanceForm) {
        m_p.setPrintPos(1.3, 10.1);
        s.print(QStringLiteral("from ") + m_p.values().businessName);
    }
    s.setForeColor(kBlack);
    for (double y : {8.5, 9.5})
        s.line(in(0.25), in(y), in(8.25), in(y), c);
    for (double x : {0.25, 1.25, 8.25})
        s.line(in(x), in(4.0), in(x), in(10.0), c);
    for (double x : {2.25, 5.5})
        s.line(in(x), in(4.0), in(x), in(8.5), c);
    s.line(in(7.0), in(4.0), in(7.0), in(10.0), c);
    m_p.printTitle(title, 0.5);
    m_p.printLogo(720);
    m_p.printBusinessHeader(1.0, headerY, 12);
}

void InvoicePage::printRemittanceBlock()
{
    PrintSurface &s = m_p.surface();
    m_p.setPrintColor(true);
    m_p.setPrintFont(10, true);
    m_p.setPrintPos(5.0, 0.9);
    s.print(QStringLiteral("Date ") + dates::toShortDateText(m_invoice.date, m_locale));
    auto line = [&](const QString &text) {
        m_p.setPrintPos(5.0, 0);
        s.print(text);
    };
    line(QStringLiteral("INVOICE NO: ") + m_invoice.invoiceNo);
    line(m_invoice.reference.isEmpty() ? QString() : QStringLiteral("Reference ") + m_invoice.reference);
    line(m_invoice.previousBalance ? QStringLiteral("Amount Due ") + currency(m_invoice.amountDue()) : QString());
    line(m_invoice.asksPayment ? QStringLiteral("Amount Enclosed              _______________") : QString());
    line(QStringLiteral("Acct: ") + m_invoice.acctNo);
    // A number prints with a blank for its plus sign and one after it.
    line(QStringLiteral("Page  %1 ").arg(s.page()));
    printMemo();
    printColumnHeads();
}

void InvoicePage::printMemo()
{
    const store::FileStore &store = m_p.store();
    if (!store.dataFileExists(kInvoiceMemoFile))
        return;
    PrintSurface &s = m_p.surface();
    m_p.setPrintColor(false);
    m_p.setPrintPos(5.0, 2.5);
    s.print(QStringLiteral("MEMO:"));
    m_p.setPrintColor(true);
    valuelist::Reader r(store.readFile(kInvoiceMemoFile).value_or(QByteArray()));
    QStringList values;
    while (!r.atEnd())
        values.append(r.text());
    // The lower edge (3.3 in) is checked before every line, so a long value
    // never runs into the customer block.
    m_p.printWrappedWithin(7200, 3600, 4752, values);
}

void InvoicePage::printColumnHeads()
{
    PrintSurface &s = m_p.surface();
    m_p.setPrintColor(false);
    const struct {
        const char *text;
        double x;
    } heads[] = {{"QTY", 0.6}, {"DATE", 1.5}, {"DESCRIPTION", 3.1}, {"PRICE", 5.9}, {"TOTAL", 7.3}};
    for (const auto &h : heads) {
        m_p.setPrintPos(h.x, 4.05);
        s.print(QString::fromLatin1(h.text), h.x != 7.3);
    }
}

void InvoicePage::printItemLine(const ItemLine &line)
{
    PrintSurface &s = m_p.surface();
    if (s.currentY() + s.textHeight(QStringLiteral("A")) > kItemAreaBottom) {
        const PrintFont font = s.font();
        const Rgb color = s.foreColor();
        startContinuationPage();
        s.setCurrentY(kFirstItemY);
        s.font() = font;
        s.setForeColor(color);
    }
    const double y = s.currentY();
    s.setCurrentX(1224);
    s.print(line.quantity, true);
    m_p.printEndingAt(3024, line.date);
    s.setCurrentX(in(2.3));
    s.print(line.description, true);
    m_p.printEndingAt(9360, line.price);
    m_p.printEndingAt(11520, line.total, false);
    s.setCurrentY(y + s.textHeight(QStringLiteral("A")));
}

void InvoicePage::pageCheck()
{
    PrintSurface &s = m_p.surface();
    if (s.currentY() + s.textHeight(QStringLiteral("A")) >= kPageBottom) {
        startContinuationPage();
        m_p.setPrintColor(false);
        m_p.setPrintFont(10, true);
    }
}

void InvoicePage::printInvoiceTotals()
{
    PrintSurface &s = m_p.surface();
    const setup::BusinessValues &v = m_p.values();
    m_p.setPrintColor(false);
    m_p.setPrintFont(10, true);
    pageCheck();
    s.print(QString());
    s.setCurrentX(in(2.3));
    s.print(QStringLiteral("ITEM SUB-TOTAL"), true);
    m_p.printEndingAt(11520, currency(m_invoice.subTotal), false);
    const struct {
        const QString &heading;
        Money amount;
    } taxes[] = {{v.taxHeading1, m_invoice.tax1}, {v.taxHeading2, m_invoice.tax2}};
    for (const auto &t : taxes) {
        if (t.amount.raw() <= 0)
            continue;
        pageCheck();
        s.setCurrentX(in(2.3));
        s.print(t.heading, true);
        m_p.printEndingAt(11520, currency(t.amount), false);
    }
    if (m_invoice.previousBalance) {
        const struct {
            const char *heading;
            Money amount;
        } due[] = {{"INVOICE TOTAL", m_invoice.total},
                   {"PREVIOUS BALANCE", *m_invoice.previousBalance},
                   {"AMOUNT DUE", m_invoice.amountDue()}};
        for (const auto &d : due) {
            pageCheck();
            s.setCurrentX(in(2.3));
            s.print(QString::fromLatin1(d.heading), true);
            m_p.printEndingAt(11520, currency(d.amount), false);
        }
    }
    if (v.printInColor)
        s.setForeColor(kBlue);
    s.setCurrentY(13824);
    s.setCurrentX(in(1.3));
    s.print(QStringLiteral("Thank you for your Business"));
    s.setCurrentX(in(1.3));
    s.print(firstValue(m_p.store(), kStatementTermsFile));
    if (v.printInColor)
        s.setForeColor(kRed);
    m_p.setPrintFont(12, true);
    s.setCurrentY(13896);
    m_p.printEndingAt(11520, currency(m_invoice.amountDue()), false);
    m_p.setPrintFont(9, true);
    printNarrative();
}

void InvoicePage::startContinuationPage()
{
    PrintSurface &s = m_p.surface();
    s.newPage();
    printPageFrame(m_invoice.title, 0.5);
    printColumnHeads();
    printRemittanceBlock();
    m_p.printCustomerAddress(m_invoice.customer, 2.3);
    m_p.setPrintPos(0.75, 4.4);
}

void InvoicePage::printNarrative()
{
    const QString file = narrativeFile(m_invoice.invoiceNo);
    const store::FileStore &store = m_p.store();
    if (m_invoice.invoiceNo.isEmpty() || !store::FileStore::isSafeNameComponent(m_invoice.invoiceNo)
        || !store.dataFileExists(file))
        return;
    m_p.setPrintPos(1.3, 8.6);
    m_p.printWrappedWithin(1872, 7632, 13536, valuelist::readPlainLines(store.readFile(file).value_or(QByteArray())));
}

void printInvoicePages(PagePrinter &printer, const QLocale &locale, const InvoiceValues &invoice,
                       const QList<ItemLine> &lines)
{
    InvoicePage page(printer, locale);
    page.startInvoice(invoice);
    printer.setPrintColor(true);
    printer.setPrintFont(10, false);
    for (const ItemLine &line : lines)
        page.printItemLine(line);
    page.printInvoiceTotals();
}

bool printInvoice(PagePrinter &printer, const QLocale &locale, const InvoiceValues &invoice,
                  const QList<ItemLine> &lines)
{
    printInvoicePages(printer, locale, invoice, lines);
    return printer.surface().endDocument();
}

bool printSamplePage(PagePrinter &printer, const QLocale &locale)
{
    InvoicePage page(printer, locale);
    page.printPageFrame(QStringLiteral("INVOICE"), 0.4);
    return printer.surface().endDocument();
}

} // namespace printing
