#include "exchange/Export.h"

#include "base/Csv.h"
#include "base/Dates.h"
#include "billing/BillingRules.h"
#include "billing/BillingRun.h"
#include "billing/PrintedRun.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogRecords.h"
#include "customers/CustomerFile.h"
#include "customers/Records.h"
#include "ledger/Ledger.h"

#include <QMap>

using namespace base;

namespace exchange {

const QStringList &exportKindNames()
{
    static const QStringList names = {QStringLiteral("Customers"),     QStringLiteral("Ledgers"),
                                      QStringLiteral("Payment journal"), QStringLiteral("Sales journal"),
                                      QStringLiteral("Tax records"),   QStringLiteral("Sold items"),
                                      QStringLiteral("Services"),      QStringLiteral("Sales items"),
                                      QStringLiteral("Labor rates")};
    return names;
}

bool hasDates(ExportKind kind)
{
    return kind == ExportKind::Ledgers || kind == ExportKind::PaymentJournal || kind == ExportKind::SalesJournal
           || kind == ExportKind::TaxRecords || kind == ExportKind::SoldItems;
}

namespace {

// The rows of one export, built as text and encoded once at the end.
struct Sheet {
    const ExportOptions &options;
    QString text;
    Exported out;
    void header(const QStringList &heads) { text += csv::lineText(heads); }
    // A row, unless its date falls outside the range asked for.
    void row(const QStringList &cells, const QDate &date = {})
    {
        if (options.from.isValid() && options.to.isValid() && hasDates(options.kind)
            && (!date.isValid() || date < options.from || date > options.to))
            return;
        text += csv::lineText(cells);
        ++out.rows;
    }
};

QString iso(const QDate &d)
{
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}

// Every whole record of a file, in order.
template <typename Visit>
void eachRecord(const store::FileStore &store, const QString &file, int length, Visit &&visit)
{
    store.forEachRecordBlock(file, length, [&](const char *records, qsizetype count, qsizetype) {
        for (qsizetype i = 0; i < count; ++i)
            visit(QByteArray(records + i * length, length));
    });
}

void ledgerRows(Sheet &s, const QByteArray &file, const QLocale &locale, bool running)
{
    using ledger::LedgerEntry;
    Money balance;
    for (qsizetype at = 0; at + LedgerEntry::kLength <= file.size(); at += LedgerEntry::kLength) {
        const LedgerEntry e = LedgerEntry::decode(file.mid(at, LedgerEntry::kLength));
        const std::optional<QDate> date = dates::parseShortDate(e.entryDate, locale);
        const std::optional<Money> amount = Money::parse(e.entryAmount, locale);
        const ledger::Sign sign = ledger::signOf(QLatin1StringView(e.entryText.toLatin1()));
        QString amountText;
        if (!amount || !date) {
            ++s.out.unreadable;
        } else if (!running) {
            amountText = amount->toPlainText();
        } else {
            const Money signedAmount = sign == ledger::Sign::Add ? *amount
                                       : sign == ledger::Sign::Subtract ? -*amount
                                                                        : Money();
            balance += signedAmount;
            amountText = signedAmount.toPlainText();
        }
        QStringList cells{e.acctNo, e.acctName, date ? iso(*date) : e.entryDate, e.entryText, amountText};
        if (running)
            cells << balance.toPlainText();
        s.row(cells, date.value_or(QDate()));
    }
}

// One function a kind: its header and rows.
void exportCustomers(Sheet &s, const store::FileStore &store, [[maybe_unused]] const QLocale &locale)
{
    s.header({QStringLiteral("Account"), QStringLiteral("Type"), QStringLiteral("Title"), QStringLiteral("First Name"),
              QStringLiteral("Initial"), QStringLiteral("Last Name"), QStringLiteral("Business Name"),
              QStringLiteral("Address 1"), QStringLiteral("Address 2"), QStringLiteral("City or Address 3"),
              QStringLiteral("City"), QStringLiteral("State"), QStringLiteral("Postal Code"),
              QStringLiteral("Postal Code or Address 4"), QStringLiteral("Telephone"), QStringLiteral("Cell"),
              QStringLiteral("E-mail"), QStringLiteral("Service"), QStringLiteral("Charge"),
              QStringLiteral("Frequency"), QStringLiteral("Start Month"), QStringLiteral("Charge For")});
    const customers::CustomerFile file = customers::CustomerFile::read(store);
    const QByteArray cycles = store.readFile(customers::kCycleFile).value_or(QByteArray());
    for (int n = 1; n <= file.count(); ++n) {
        const customers::CustomerRecord c = file.record(n);
        const customers::CycleRecord y = customers::CycleRecord::decode(
            cycles.mid(qsizetype(n - 1) * customers::CycleRecord::kLength, customers::CycleRecord::kLength));
        const QString frequency = y.billingMode >= 0 && y.billingMode < 4 ? billing::frequencyNames().value(y.billingMode)
                                                                          : QStringLiteral("None");
        s.row({c.acctNo, c.acctType, c.title, c.firstName, c.middleInitial, c.lastName, c.name, c.address1,
               c.address2, c.cityOrAddr3, c.city, c.state, c.zip.trimmed(), c.zipOrAddr4, c.phone, c.cellPhone,
               c.email, y.service.trimmed(), y.charge.toPlainText(), frequency,
               billing::monthNames().value(y.startMonth), y.chargeFor});
    }
}

void exportLedgers(Sheet &s, const store::FileStore &store, [[maybe_unused]] const QLocale &locale)
{
    s.header({QStringLiteral("Account"), QStringLiteral("Name"), QStringLiteral("Date"), QStringLiteral("Text"),
              QStringLiteral("Amount"), QStringLiteral("Balance")});
    // In account order, each ledger's entries as filed: the ledgers come
    // in the folder's order, one buffer at a time, so each one's rows
    // are kept as text until all are read.
    QMap<QString, QString> rows;
    const QString header = std::exchange(s.text, QString());
    store.forEachFile(ledger::kActiveAccountsFolder, QStringLiteral(".txt"),
                      [&](const QString &name, const QByteArray &bytes) {
                          ledgerRows(s, bytes, locale, true);
                          rows.insert(name.toLower(), std::exchange(s.text, QString()));
                      });
    s.text = header;
    for (const QString &text : std::as_const(rows))
        s.text += text;
}

void exportPaymentJournal(Sheet &s, const store::FileStore &store, [[maybe_unused]] const QLocale &locale)
{
    s.header({QStringLiteral("Account"), QStringLiteral("Name"), QStringLiteral("Date"), QStringLiteral("Text"),
              QStringLiteral("Amount")});
    ledgerRows(s, store.readFile(ledger::kPaymentJournal).value_or(QByteArray()), locale, false);
}

void exportSalesJournal(Sheet &s, const store::FileStore &store, [[maybe_unused]] const QLocale &locale)
{
    s.header({QStringLiteral("Name"), QStringLiteral("Account"), QStringLiteral("Invoice"), QStringLiteral("Date"),
              QStringLiteral("Subtotal"), QStringLiteral("Taxes"), QStringLiteral("Total")});
    eachRecord(store, billing::kSalesJournalFile, billing::SalesJournalRecord::kLength, [&](const QByteArray &b) {
        const billing::SalesJournalRecord r = billing::SalesJournalRecord::decode(b);
        s.row({r.name, r.acctNo, r.invoiceNo, iso(r.date), r.subtotal.toPlainText(), r.taxes.toPlainText(),
               r.total.toPlainText()},
              r.date);
    });
}

void exportTaxRecords(Sheet &s, const store::FileStore &store, [[maybe_unused]] const QLocale &locale)
{
    s.header({QStringLiteral("Tax"), QStringLiteral("Date"), QStringLiteral("Reference"), QStringLiteral("Amount")});
    eachRecord(store, billing::kTaxRecordsFile, billing::TaxRecord::kLength, [&](const QByteArray &b) {
        const billing::TaxRecord r = billing::TaxRecord::decode(b);
        const std::optional<QDate> date = dates::parseShortDate(r.date, locale);
        s.row({r.name, date ? iso(*date) : r.date, r.reference, r.amount}, date.value_or(QDate()));
    });
}

void exportSoldItems(Sheet &s, const store::FileStore &store, [[maybe_unused]] const QLocale &locale)
{
    s.header({QStringLiteral("Description"), QStringLiteral("Date"), QStringLiteral("Invoice"), QStringLiteral("Units")});
    eachRecord(store, billing::kSoldItemsFile, billing::SoldItemRecord::kLength, [&](const QByteArray &b) {
        const billing::SoldItemRecord r = billing::SoldItemRecord::decode(b);
        s.row({r.description, iso(r.date), r.invoiceNo, QString::number(r.units)}, r.date);
    });
}

void exportServices(Sheet &s, const store::FileStore &store, [[maybe_unused]] const QLocale &locale)
{
    s.header({QStringLiteral("Description"), QStringLiteral("Charge"), QStringLiteral("Allotted Time")});
    eachRecord(store, catalog::kServicesFile, catalog::ServiceRecord::kLength, [&](const QByteArray &b) {
        const catalog::ServiceRecord r = catalog::ServiceRecord::decode(b);
        const std::optional<Money> charge = Money::parse(r.charge, locale);
        s.row({r.description, charge ? charge->toPlainText() : r.charge,
               catalog::allotted::timeText(catalog::allotted::shownIndex(r.allottedTime))});
    });
}

void exportItems(Sheet &s, const store::FileStore &store, [[maybe_unused]] const QLocale &locale)
{
    s.header({QStringLiteral("Description"), QStringLiteral("Category"), QStringLiteral("Cost"), QStringLiteral("Price"),
              QStringLiteral("On Hand"), QStringLiteral("Discount Price"), QStringLiteral("Discount Quantity"),
              QStringLiteral("Reorder Amount"), QStringLiteral("Reorder At")});
    eachRecord(store, catalog::kItemsFile, catalog::InventoriedItemRecord::kLength, [&](const QByteArray &b) {
        const catalog::InventoriedItemRecord r = catalog::InventoriedItemRecord::decode(b);
        s.row({r.description, r.category, r.cost.toPlainText(), r.price.toPlainText(), QString::number(r.onHand),
               r.discountPrice.toPlainText(), QString::number(r.discountQty), QString::number(r.reorderAmount),
               QString::number(r.reorderAt)});
    });
}

void exportLaborRates(Sheet &s, const store::FileStore &store, [[maybe_unused]] const QLocale &locale)
{
    s.header({QStringLiteral("Heading"), QStringLiteral("Rate")});
    if (const std::optional<catalog::LaborRates> rates = catalog::Catalog::loadLaborRates(store))
        for (const catalog::LaborSlot &slot : *rates) {
            const std::optional<Money> rate = Money::parse(slot.rate, locale);
            s.row({slot.heading, rate ? rate->toPlainText() : slot.rate});
        }
}

} // namespace

Exported exportCsv(const store::FileStore &store, const ExportOptions &o, const QLocale &locale)
{
    Sheet s{o, {}, {}};
    switch (o.kind) {
    case ExportKind::Customers:
        exportCustomers(s, store, locale);
        break;
    case ExportKind::Ledgers:
        exportLedgers(s, store, locale);
        break;
    case ExportKind::PaymentJournal:
        exportPaymentJournal(s, store, locale);
        break;
    case ExportKind::SalesJournal:
        exportSalesJournal(s, store, locale);
        break;
    case ExportKind::TaxRecords:
        exportTaxRecords(s, store, locale);
        break;
    case ExportKind::SoldItems:
        exportSoldItems(s, store, locale);
        break;
    case ExportKind::Services:
        exportServices(s, store, locale);
        break;
    case ExportKind::Items:
        exportItems(s, store, locale);
        break;
    case ExportKind::LaborRates:
        exportLaborRates(s, store, locale);
        break;
    }
    // The program's texts are single-byte Latin-1, which Windows-1252 holds
    // character for character.
    s.out.bytes = o.windows1252 ? s.text.toLatin1() : s.text.toUtf8();
    return s.out;
}

} // namespace exchange
