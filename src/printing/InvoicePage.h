#pragma once
// The invoice page: the boxed top section with the business header, logo,
// title and remittance block, the memo, the customer's address, the ruled
// item grid, the totals with the continuation-page rule, the closing lines
// and the narrative. One invoice is one document; its item lines and totals
// carry on to continuation pages when the page is full.
#include "base/Money.h"
#include "printing/PagePrinter.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <optional>

namespace printing {

inline const QString kInvoiceMemoFile = QStringLiteral("/InvoiceMemoTemp.txt");
inline const QString kStatementTermsFile = QStringLiteral("/StatementTerms.txt");
// The narrative of an invoice: "/Brenvoy/Narratives/<invoice number>.txt".
QString narrativeFile(const QString &invoiceNo);

struct InvoiceValues {
    QString acctNo;
    QString invoiceNo;
    QDate date;
    QString reference;
    AddressBlock customer;
    base::Money subTotal, tax1, tax2, total;
    QString title = QStringLiteral("INVOICE"); // a credit note has its own
    bool asksPayment = true;                   // a credit note asks for none
    // Set when the business shows it: the account's balance before this
    // invoice; the totals then show it and the amount due.
    std::optional<base::Money> previousBalance;
    base::Money amountDue() const { return total + previousBalance.value_or(base::Money()); }
};

// One item line: the columns as printed.
struct ItemLine {
    QString quantity, date, description, price, total;
};

class InvoicePage {
public:
    // The y (twips) no totals line may reach, and the lower edge of the
    // item area.
    static constexpr double kPageBottom = 13680;
    static constexpr double kItemAreaBottom = 8.5 * kTwipsPerInch;
    static constexpr double kFirstItemY = 4.5 * kTwipsPerInch;

    InvoicePage(PagePrinter &printer, const QLocale &locale) : m_p(printer), m_locale(locale) {}

    // The first page of an invoice up to its item lines: remittance block
    // (with memo and column heads), page frame, tear-off line, address.
    void startInvoice(const InvoiceValues &invoice);
    // One item line below the previous one; a line that would run past the
    // item area goes to a continuation page first.
    void printItemLine(const ItemLine &line);
    // Totals (each line checked against the page bottom), closing lines,
    // narrative.
    void printInvoiceTotals();

    void printPageFrame(const QString &title, double headerY);
    void printRemittanceBlock();
    void printMemo();
    void printColumnHeads();
    void startContinuationPage();
    void printNarrative();

    const InvoiceValues &invoice() const { return m_invoice; }

private:
    void pageCheck();
    QString currency(base::Money amount) const { return amount.toCurrencyText(m_locale); }

    PagePrinter &m_p;
    QLocale m_locale;
    InvoiceValues m_invoice;
};

// A whole invoice as one document: the first page, the item lines in the
// border colour, the totals, and the end of the document. False (the
// surface says why) when the job could not be completed.
bool printInvoice(PagePrinter &printer, const QLocale &locale, const InvoiceValues &invoice,
                  const QList<ItemLine> &lines);
// The same pages without ending the document, for several invoices in one file.
void printInvoicePages(PagePrinter &printer, const QLocale &locale, const InvoiceValues &invoice,
                       const QList<ItemLine> &lines);

// The setup screen's sample: one page holding only the page frame.
bool printSamplePage(PagePrinter &printer, const QLocale &locale);

} // namespace printing
