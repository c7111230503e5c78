#include "receivables/StatementPrint.h"

#include "base/Dates.h"
#include "base/RecordCodec.h"
#include "customers/CustomerFile.h"
#include "setup/SettingsFiles.h"

#include <QHash>

using namespace base;
using namespace printing;

namespace receivables {

namespace {
constexpr double in(double inches) { return inches * kTwipsPerInch; }

// The columns' places: dates and texts from their left edge, amounts to
// their right edge.
constexpr double kDateX = 0.45, kTextX = 1.45, kChargeEnd = 5.2, kCreditEnd = 6.9, kBalanceEnd = 8.15;

QString fitted(const PrintSurface &s, QString text, double width)
{
    while (!text.isEmpty() && s.textWidth(text) > width)
        text.chop(1);
    return text;
}
} // namespace

std::vector<StatementToPrint> statementsFor(const store::FileStore &store, const QStringList &ledgerFiles,
                                            const QDate &from, const QDate &to, bool usaStyle, const QLocale &locale)
{
    using namespace customers::customerfield;
    const customers::CustomerFile customers = customers::CustomerFile::read(store);
    QHash<QString, int> records; // account number to its first record
    for (int n = customers.count(); n >= 1; --n)
        records.insert(customers.text(n, AcctNo), n);
    LedgerReader reader(locale);
    std::vector<StatementToPrint> out;
    for (const QString &file : ledgerFiles) {
        const std::optional<QByteArray> bytes = store.readFile(file);
        if (!bytes)
            continue;
        const ReadLedger ledger = reader.read(*bytes);
        StatementToPrint s;
        s.acctNo = ledger.acctNo;
        s.customer = {ledger.acctName, {}, {}, {}, {}, {}, usaStyle};
        if (const int n = records.value(ledger.acctNo))
            s.customer = {customers.displayName(n),       customers.text(n, Address1), customers.text(n, Address2),
                          customers.text(n, CityOrAddr3), customers.text(n, State),    customers.text(n, ZipOrAddr4),
                          usaStyle};
        s.statement = statementOf(ledger, from, to);
        out.push_back(std::move(s));
    }
    return out;
}

void StatementPage::startPage()
{
    PrintSurface &s = m_p.surface();
    const Statement &st = m_s->statement;
    m_p.setPrintColor(false);
    s.setPageWidth(12240);
    s.setDrawWidth(6);
    s.setForeColor(kBlack);
    const Rgb c = m_p.lineColor();
    s.box(in(0.25), in(0.35), in(8.25), in(3.5), c);
    for (double y : {4.0, 4.3})
        s.line(in(0.25), in(y), in(8.25), in(y), c);
    m_p.printTitle(QStringLiteral("STATEMENT"), 0.5);
    m_p.printLogo(720);
    m_p.printBusinessHeader(1.0, 0.4, 12);
    // The part that goes back with the payment.
    m_p.setPrintColor(true);
    m_p.setPrintFont(10, true);
    auto right = [&](const QString &text) {
        m_p.setPrintPos(5.0, 0);
        s.print(text);
    };
    m_p.setPrintPos(5.0, 1.0);
    s.print(QStringLiteral("Statement Date ") + dates::toShortDateText(st.to, m_locale));
    right(QStringLiteral("Account: ") + m_s->acctNo);
    right(QStringLiteral("Period ") + dates::toShortDateText(st.from, m_locale) + QStringLiteral(" to ")
          + dates::toShortDateText(st.to, m_locale));
    right(QStringLiteral("Amount Due ") + money(std::max(st.closing, Money())));
    right(m_p.values().useRemittanceForm ? QStringLiteral("Amount Enclosed              _______________") : QString());
    right(QStringLiteral("Page  %1 ").arg(s.page()));
    if (m_p.values().useRemittanceForm)
        m_p.printDetachLine();
    m_p.setPrintColor(true);
    m_p.setPrintFont(10, false);
    m_p.printCustomerAddress(m_s->customer, 2.3);
    m_p.setPrintColor(false);
    m_p.setPrintFont(9, true);
    s.setCurrentY(in(4.07));
    line(QStringLiteral("DATE"), QStringLiteral("DESCRIPTION"), QStringLiteral("CHARGES"),
         QStringLiteral("PAYMENTS / CREDITS"), QStringLiteral("BALANCE"));
    s.setCurrentY(kFirstLineY);
    m_p.setPrintFont(9, false);
}

void StatementPage::line(const QString &date, const QString &text, const QString &charge, const QString &credit,
                         const QString &balance)
{
    PrintSurface &s = m_p.surface();
    if (s.currentY() + s.textHeight(QStringLiteral("A")) > kLinesBottom) {
        const PrintFont font = s.font();
        s.newPage();
        startPage();
        s.font() = font;
    }
    const double y = s.currentY();
    s.setCurrentX(in(kDateX));
    s.print(date, true);
    s.setCurrentX(in(kTextX));
    s.print(fitted(s, text, in(kChargeEnd - 1.0 - kTextX)), true);
    m_p.printEndingAt(in(kChargeEnd), charge);
    m_p.printEndingAt(in(kCreditEnd), credit);
    m_p.printEndingAt(in(kBalanceEnd), balance);
    s.setCurrentY(y + s.textHeight(QStringLiteral("A")));
}

void StatementPage::printTotals()
{
    PrintSurface &s = m_p.surface();
    const Statement &st = m_s->statement;
    m_p.setPrintFont(9, true);
    line(dates::toShortDateText(st.to, m_locale), QStringLiteral("Closing balance"), QString(), QString(),
         money(st.closing));
    if (st.unreadable > 0) {
        m_p.setPrintFont(9, false);
        line(QString(), unreadableText(st.unreadable) + QStringLiteral(" and is left out"), QString(), QString(), QString());
    }
    // The aging block and the terms at the foot of the last page.
    const Rgb c = m_p.lineColor();
    s.line(in(0.25), in(9.0), in(8.25), in(9.0), c);
    const struct {
        const char *head;
        Money amount;
    } cells[] = {{"Current", st.aging.current},
                 {"31-60 Days", st.aging.days31to60},
                 {"61-90 Days", st.aging.days61to90},
                 {"Over 90 Days", st.aging.over90},
                 {st.closing.raw() < 0 ? "In Credit" : "Amount Due", st.closing.raw() < 0 ? -st.closing : st.closing}};
    for (int i = 0; i < 5; ++i) {
        const double end = 1.85 + i * 1.6;
        m_p.setPrintFont(9, true);
        s.setCurrentY(in(9.1));
        m_p.printEndingAt(in(end), QString::fromLatin1(cells[i].head), false);
        m_p.setPrintFont(10, i == 4);
        s.setCurrentY(in(9.35));
        m_p.printEndingAt(in(end), money(cells[i].amount), false);
    }
    s.line(in(0.25), in(9.7), in(8.25), in(9.7), c);
    m_p.setPrintFont(10, false);
    m_p.setPrintPos(1.0, 9.85);
    s.print(setup::loadStatementTerms(m_p.store()));
}

void StatementPage::print(const StatementToPrint &statement)
{
    m_s = &statement;
    const Statement &st = statement.statement;
    startPage();
    line(dates::toShortDateText(st.from, m_locale), QStringLiteral("Balance forward"), QString(), QString(),
         money(st.opening));
    for (const StatementLine &l : st.lines)
        line(dates::toShortDateText(l.date, m_locale), l.text, l.charge.isZero() ? QString() : money(l.charge),
             l.credit.isZero() ? QString() : money(l.credit), money(l.balance));
    printTotals();
    m_s = nullptr;
}

bool printStatements(PagePrinter &printer, const QLocale &locale, const std::vector<StatementToPrint> &statements,
                     const std::function<bool(int)> &progress)
{
    StatementPage page(printer, locale);
    for (size_t i = 0; i < statements.size(); ++i) {
        if (progress && !progress(int(i)))
            break;
        if (i > 0 && !printer.surface().newDocumentPage())
            return false;
        page.print(statements[i]);
    }
    return printer.surface().endDocument();
}

} // namespace receivables
