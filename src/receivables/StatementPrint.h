#pragma once
// The printed statement of an account, on the invoice's paper: the top
// section with the business header, logo, title "STATEMENT", the statement
// date, account, period and amount due (the part returned with the payment
// on remittance paper, with "Detach Here" under it), the customer's
// address; then the activity with its running balance, carried on to
// further pages as invoice items are; on the last page the closing balance,
// the four aging figures and the terms line. Several statements go into one
// document, each on new pages numbered from 1.
#include "printing/PagePrinter.h"
#include "receivables/Receivables.h"

#include <functional>

namespace receivables {

struct StatementToPrint {
    QString acctNo;
    printing::AddressBlock customer;
    Statement statement;
};

// The statements of the accounts whose ledgers are named, their addresses
// from one read of the customer file (the ledger's name alone when the
// customer is no longer there); a ledger that cannot be read is passed over.
std::vector<StatementToPrint> statementsFor(const store::FileStore &store, const QStringList &ledgerFiles,
                                            const QDate &from, const QDate &to, bool usaStyle, const QLocale &locale);

class StatementPage {
public:
    // Where the activity lines start and how low they may go (twips).
    static constexpr double kFirstLineY = 4.45 * printing::kTwipsPerInch;
    static constexpr double kLinesBottom = 8.9 * printing::kTwipsPerInch;

    StatementPage(printing::PagePrinter &printer, const QLocale &locale) : m_p(printer), m_locale(locale) {}
    // One statement's pages, from the page the surface is on.
    void print(const StatementToPrint &statement);

private:
    void startPage();
    void line(const QString &date, const QString &text, const QString &charge, const QString &credit,
              const QString &balance);
    void printTotals();
    QString money(base::Money m) const { return m.toCurrencyText(m_locale); }

    printing::PagePrinter &m_p;
    QLocale m_locale;
    const StatementToPrint *m_s = nullptr;
};

// Every statement into one document, each starting a new page numbered
// from 1; `progress` hears each (index) and may stop the printing. False
// (the surface says why) when the job could not be completed.
bool printStatements(printing::PagePrinter &printer, const QLocale &locale, const std::vector<StatementToPrint> &statements,
                     const std::function<bool(int)> &progress = {});

} // namespace receivables
