#include "sample/SampleBusiness.h"

#include "billing/BillingRules.h"
#include "billing/BillingRun.h"
#include "billing/CycleGrid.h"
#include "billing/PrintedRun.h"
#include "catalog/Catalog.h"
#include "contracts/Contract.h"
#include "contracts/Rtf.h"
#include "customers/AuxData.h"
#include "customers/Records.h"
#include "ledger/Ledger.h"
#include "ledger/PaymentBatch.h"
#include "setup/SettingsFiles.h"

#include <QTextDocument>

using namespace store;
using base::Money;

namespace sample {

namespace {

const QLocale kLocale(QLocale::English, QLocale::UnitedStates);

const char *const kServices[][3] = {
    {"Weekly Mowing", "$45.00", "1:00"},       {"Hedge Trimming", "$60.00", "1:30"},
    {"Fertilising Program", "$38.00", "0:45"},  {"Pool Care", "$120.00", "1:30"},
    {"Leaf Removal", "$80.00", "2:00"},         {"Snow Clearing", "$90.00", "1:00"},
    {"Garden Maintenance", "$150.00", "3:00"},  {"Irrigation Service", "$55.00", "0:45"},
};

const char *const kItems[][2] = {
    {"Chlorine Tablets", "Pool"}, {"Filter Cartridge", "Pool"}, {"Grass Seed 5 lb", "Lawn"},
    {"Fertiliser 20 lb", "Lawn"}, {"Weed Control", "Lawn"},     {"Mulch Bag", "Garden"},
    {"Garden Hose", "Garden"},    {"Sprinkler Head", "Garden"}, {"Rock Salt", "Winter"},
    {"Ice Melt", "Winter"},       {"Pruning Shears", "Tools"},  {"Work Gloves", "Tools"},
};

const char *const kBusinesses[] = {
    "Green Acres Inc", "Hilltop Farms", "Maple Court HOA", "Riverside Dental", "Oak Street Cafe", "Lakeview Apartments",
    "Sunrise Motel", "Cedar Ridge Church", "Pine Valley School", "Harbor Marina", "Elm Grove Clinic",
    "Westside Library", "Meadow Brook Inn", "Summit Realty", "Brookfield Bank", "Willow Creek Farm",
    "Parkside Offices", "Northgate Plaza", "Orchard Vineyards", "Lincoln Law Group",
};
const char *const kFirst[] = {"Ann", "Raj", "Tom", "Maria", "Chen", "Olga", "Sam", "Grace", "Luis", "Emma"};
const char *const kLast[] = {"Lee", "Patel", "Baker", "Garcia", "Wong", "Ivanova", "Miller", "Okafor", "Santos",
                             "Schmidt", "Nguyen", "Brown"};
const char *const kStreets[] = {"Elm St", "Orchard Rd", "Lake Shore Dr", "Birch Ln", "Main St", "Maple Ave",
                                "Cedar Ct", "River Rd", "Park Blvd", "Hill St"};
const char *const kCities[][3] = {{"Springfield", "IL", "62704"}, {"Decatur", "IL", "62521"}, {"Peoria", "IL", "61602"},
                                  {"Champaign", "IL", "61820"},   {"Dayton", "OH", "45402"},   {"Bloomington", "IN", "47401"}};
// Abroad: the third and fourth lines of the international style.
const char *const kAbroad[][2] = {{"Toronto ON M5V 2T6", "Canada"}, {"Kowloon Bay", "Hong Kong"},
                                  {"75011 Paris", "France"},        {"Dublin 4", "Ireland"}};

FileResult first(std::initializer_list<FileResult> results)
{
    for (const FileResult &r : results) {
        if (!r)
            return r;
    }
    return FileResult::success();
}

setup::BusinessValues businessValues()
{
    setup::BusinessValues v = setup::BusinessValues::defaults(kLocale);
    v.businessName = QStringLiteral("Greenfield Lawn and Garden");
    v.businessAddress1 = QStringLiteral("1200 Prairie Road");
    v.businessCity = QStringLiteral("Springfield");
    v.businessState = QStringLiteral("IL");
    v.businessZip = QStringLiteral("62704");
    v.businessPhone = QStringLiteral("217-555-0100");
    v.businessFax = QStringLiteral("Fax - 217-555-0199");
    v.businessTaxId = QStringLiteral("Tax ID 37-1234567");
    v.addressStyle = setup::AddressStyle::USA;
    v.printInColor = true;
    v.printBorderColor = 0x00336600; // a green border, 0x00BBGGRR
    v.printTextColor = 0x00202020;
    v.usePlainPaper = false;
    v.useRemittanceForm = true;
    v.taxServicesAndItems = 1;
    v.taxHeading1 = QStringLiteral("State Tax");
    v.taxRate1 = QStringLiteral("6.25");
    v.apply1stTax = 1;
    v.taxHeading2 = QStringLiteral("County Tax");
    v.taxRate2 = QStringLiteral("1.0");
    v.apply2ndTax = 1;
    return v;
}

FileResult writeCatalog(const FileStore &store)
{
    std::vector<catalog::ServiceRow> services;
    for (const auto &s : kServices)
        services.push_back({QString::fromLatin1(s[0]), QString::fromLatin1(s[1]), QString::fromLatin1(s[2])});
    std::vector<catalog::InventoriedItemRecord> items;
    for (int i = 0; i < int(std::size(kItems)); ++i) {
        catalog::InventoriedItemRecord item;
        item.description = QString::fromLatin1(kItems[i][0]);
        item.category = QString::fromLatin1(kItems[i][1]);
        item.cost = Money::fromCents(250 + 175 * i);
        item.price = Money::fromCents(499 + 300 * i);
        item.onHand = std::int16_t(60 + 7 * i);
        if (i % 4 == 0) {
            item.discountQty = 10;
            item.discountPrice = Money::fromCents(449 + 280 * i);
        }
        item.reorderAt = 10;
        item.reorderAmount = 48;
        items.push_back(item);
    }
    catalog::Catalog catalog(kLocale);
    return first({catalog.save(store, services, items),
                  catalog::Catalog::saveLaborRates(store, {{{QStringLiteral("Regular"), QStringLiteral("$42.00")},
                                                            {QStringLiteral("Overtime"), QStringLiteral("$63.00")},
                                                            {QStringLiteral("Holiday"), QStringLiteral("$84.00")}}})});
}

struct Account {
    customers::CustomerRecord customer;
    customers::CycleRecord cycle;
    int habit = 0; // 0 pays on time, 1 owes the last months, 2 pays over
};

std::vector<Account> makeAccounts()
{
    std::vector<Account> accounts;
    for (int i = 0; i < 60; ++i) {
        customers::CustomerRecord c;
        c.acctNo = QString::number(1001 + i);
        if (i % 3 == 0) {
            c.acctType = customers::CustomerRecord::kBusiness;
            c.name = QString::fromLatin1(kBusinesses[(i / 3) % std::size(kBusinesses)]);
        } else {
            c.acctType = customers::CustomerRecord::kIndividual;
            c.title = QString::fromLatin1(i % 2 ? "Mr." : "Ms");
            c.firstName = QString::fromLatin1(kFirst[i % std::size(kFirst)]);
            c.lastName = QString::fromLatin1(kLast[(i * 7) % std::size(kLast)]);
            c.middleInitial = i % 4 == 1 ? QStringLiteral("J") : QString();
            c.name = c.firstName + u' ' + c.lastName;
        }
        c.address1 = QStringLiteral("%1 %2").arg(100 + 17 * i).arg(QString::fromLatin1(kStreets[i % std::size(kStreets)]));
        if (i % 15 == 7) {
            const auto &abroad = kAbroad[(i / 15) % std::size(kAbroad)];
            c.cityOrAddr3 = QString::fromLatin1(abroad[0]);
            c.zipOrAddr4 = QString::fromLatin1(abroad[1]);
            c.phone = QStringLiteral("+1-416-555-%1").arg(100 + i, 4, 10, QChar(u'0'));
        } else {
            const auto &city = kCities[i % std::size(kCities)];
            c.city = c.cityOrAddr3 = QString::fromLatin1(city[0]);
            c.state = QString::fromLatin1(city[1]);
            c.zip = c.zipOrAddr4 = QString::fromLatin1(city[2]);
            c.phone = QStringLiteral("217-555-%1").arg(1000 + i);
        }
        if (i % 5 == 2)
            c.cellPhone = QStringLiteral("217-555-%1").arg(2000 + i);
        if (i % 4 == 0)
            c.email = QStringLiteral("office%1@example.com").arg(i);

        customers::CycleRecord y;
        const auto &service = kServices[i % std::size(kServices)];
        y.service = QString::fromLatin1(service[0]);
        y.charge = *Money::parse(QString::fromLatin1(service[1]), kLocale);
        // Every frequency, several start months; a few billed on no cycle.
        y.billingMode = std::int16_t(i % 13 == 12 ? 4 : i % 4);
        y.startMonth = std::int16_t(y.billingMode == 4 ? -1 : (i * 5) % 12);
        if (i % 6 == 1)
            y.chargeFor = QStringLiteral("Unit %1").arg(i % 9 + 1);
        accounts.push_back({c, y, i % 10 == 3 ? 1 : i % 10 == 6 ? 2 : 0});
    }
    return accounts;
}

FileResult writeAccounts(const FileStore &store, const std::vector<Account> &accounts, const QDateTime &now)
{
    QByteArray customers, cycles, contracts;
    for (const Account &a : accounts) {
        customers += a.customer.encode();
        cycles += a.cycle.encode();
        contracts += customers::ContractRecord::defaults(now, kLocale).encode();
    }
    return first({store.saveDataFile(customers::kCustomerFile, customers), store.saveDataFile(customers::kCycleFile, cycles),
                  store.saveDataFile(customers::kContractFile, contracts)});
}

FileResult writeDataBoxes(const FileStore &store, const std::vector<Account> &accounts)
{
    for (size_t i = 0; i < accounts.size(); i += 7) {
        customers::auxdata::Boxes boxes;
        boxes[0] = QStringLiteral("Gate code 4%1%2").arg(i % 10).arg((i * 3) % 10);
        boxes[1] = i % 2 ? QStringLiteral("Dog in the back yard") : QStringLiteral("Park on the street");
        boxes[3] = QStringLiteral("Prefers service before noon");
        if (FileResult r = customers::auxdata::saveBoxes(store, accounts[i].customer.acctNo, boxes); !r)
            return r;
    }
    return FileResult::success();
}

// The first business day of a month: the day its bills go out.
QDate billingDay(const QDate &month)
{
    QDate d(month.year(), month.month(), 1);
    while (d.dayOfWeek() > 5)
        d = d.addDays(1);
    return d;
}

// One month of billing: every frequency's due accounts, printed to nowhere
// (every third month entered as records only, as some businesses do).
struct MonthBilled {
    FileResult result = FileResult::success();
    std::vector<std::pair<QString, Money>> charges; // account, total billed
    int invoices = 0;
};
MonthBilled billMonth(const FileStore &store, const QDate &day, const billing::TaxRates &rates, bool printed)
{
    MonthBilled out;
    for (int frequency = billing::Monthly; frequency <= billing::Annually; ++frequency) {
        billing::CycleGrid grid = billing::CycleGrid::load(store, frequency, day.month() - 1, kLocale);
        for (billing::CycleRow &r : grid.rows)
            r.selected = QStringLiteral("+");
        billing::RunSettings s;
        s.date = day;
        s.rates = rates;
        s.tax1Name = QStringLiteral("State Tax");
        s.tax2Name = QStringLiteral("County Tax");
        s.frequency = frequency;
        s.month = day.month() - 1;
        s.time = QTime(9, 0).addSecs(60 * frequency); // the runs of a morning, one after another
        auto plan = billing::planRecordsRun(grid, s, kLocale);
        if (const auto *problem = std::get_if<billing::RunProblem>(&plan)) {
            out.result = FileResult::failure(problem->reason);
            return out;
        }
        const auto &postings = std::get<std::vector<billing::Posting>>(plan);
        if (postings.empty())
            continue;
        billing::RunOutcome run;
        if (printed) {
            // The sample's past runs were printed long ago: the invoices go
            // nowhere, their completed copies and journals are written.
            struct Printed final : printing::InvoiceSink {
                bool print(const printing::InvoiceValues &, const QList<printing::ItemLine> &) override { return true; }
                QString error() const override { return {}; }
            } printedLongAgo;
            const billing::PrintedOutcome p = billing::postPrintedRun(
                store, {postings, s, false}, kLocale, printedLongAgo);
            out.invoices += int(p.invoices.size());
            run = p;
        } else {
            run = billing::postRun(store, postings, s, kLocale);
        }
        if (!run.result) {
            out.result = run.result;
            return out;
        }
        for (const billing::Posting &p : postings)
            out.charges.emplace_back(p.entry.acctNo, p.total);
    }
    return out;
}

FileResult writeContracts(const FileStore &store, const std::vector<Account> &accounts, const QDate &today,
                          const QByteArray &rtf)
{
    if (rtf.isEmpty())
        return FileResult::success();
    const setup::BusinessValues b = businessValues();
    for (size_t i = 0; i < accounts.size(); i += 12) {
        const customers::CustomerRecord &c = accounts[i].customer;
        QTextDocument document;
        if (!contracts::readRtf(rtf, document))
            return FileResult::failure(QStringLiteral("the contract template cannot be read"));
        contracts::indentBody(document);
        contracts::ContractValues v;
        v.service = accounts[i].cycle.service;
        v.price = accounts[i].cycle.charge;
        v.businessName = b.businessName;
        v.customerName = c.name;
        v.created = today.addMonths(-int(i % 5) - 1);
        v.commencing = v.created.addDays(14);
        v.duration = QStringLiteral("1 Year");
        v.frequency = contracts::frequencies().value(std::min<int>(accounts[i].cycle.billingMode, 3));
        v.renews = i % 24 == 0;
        v.contractorBlock = b.businessName + u'\n' + b.businessAddress1 + u'\n' + b.businessCity + QStringLiteral(", ")
                            + b.businessState + u' ' + b.businessZip;
        v.customerBlock = c.name + u'\n' + c.address1 + u'\n' + c.cityOrAddr3 + QStringLiteral(", ") + c.state + u' '
                          + c.zipOrAddr4;
        contracts::fillContract(document, v, kLocale);
        if (!store.makeFolder(QStringLiteral("/Templates")) || !store.makeFolder(QStringLiteral("/Templates/Contracts")))
            return FileResult::failure(QStringLiteral("the contracts folder cannot be made"));
        if (FileResult r = store.replaceFile(contracts::contractFile(c.acctNo), contracts::writeRtf(document)); !r)
            return r;
    }
    return store.replaceFile(contracts::kTemplateFile, rtf);
}

} // namespace

bool isSample(const FileStore &store)
{
    return store.fileExists(kMarkerFile);
}

Made makeSampleBusiness(const FileStore &store, const QDate &today, const QByteArray &contractTemplate)
{
    Made made;
    setup::BusinessValues values = businessValues();
    if (setup::SaveAllResult saved = setup::saveAllSettings(store, values); !saved) {
        made.result = saved.result;
        return made;
    }
    const std::vector<Account> accounts = makeAccounts();
    const QDateTime start(today.addYears(-1), QTime(9, 0));
    made.result = first({store.replaceFile(kMarkerFile, "This folder is Brenvoy's sample business: a made-up lawn "
                                                        "and garden business to try the program on.\r\n"),
                         store.replaceFile(setup::kStatementTerms, "\"Net 30 days. Thank you for your business.\"\r\n"),
                         writeCatalog(store), writeAccounts(store, accounts, start), writeDataBoxes(store, accounts)});
    if (!made.result)
        return made;
    made.customers = int(accounts.size());
    QString problem;
    const std::optional<billing::TaxRates> rates = billing::readTaxRates(values, kLocale, &problem);
    if (!rates) {
        made.result = FileResult::failure(problem);
        return made;
    }
    // Twelve months, oldest first: billed on their first business day, paid
    // within four weeks by most (none after today); a few owe the last months, a few pay over.
    QHash<QString, int> habits;
    for (const Account &a : accounts)
        habits.insert(a.customer.acctNo, a.habit);
    QHash<QString, QString> names;
    for (const Account &a : accounts)
        names.insert(a.customer.acctNo, a.customer.name);
    for (int back = 12; back >= 1; --back) {
        const QDate day = billingDay(today.addMonths(-back));
        const MonthBilled month = billMonth(store, day, *rates, back % 3 != 0);
        if (!month.result) {
            made.result = month.result;
            return made;
        }
        made.invoices += month.invoices;
        std::vector<ledger::Payment> payments;
        for (const auto &[acct, total] : month.charges) {
            const int habit = habits.value(acct);
            if (habit == 1 && back <= 2)
                continue; // owes the last two months
            // The exact amount billed (taxes carry four decimals), so a
            // paid-up ledger comes to nothing.
            const Money paid = habit == 2 && back == 1 ? total + Money::fromCents(2500) : total;
            const QDate on = day.addDays(5 + int(qHash(acct) % 26));
            if (on > today)
                continue;
            const QString kind = qHash(acct) % 3 == 0 ? QStringLiteral("Payment Cash")
                                                       : QStringLiteral("Payment Check# %1").arg(1000 + int(qHash(acct) % 9000));
            payments.push_back({ledger::ledgerFile(acct),
                                ledger::makeEntry(acct, names.value(acct), paid.toPlainText(), kind, on, kLocale)});
        }
        if (FileResult r = ledger::writePayments(store, payments, day, kLocale); !r) {
            made.result = r;
            return made;
        }
        made.payments += int(payments.size());
    }
    made.ledgers = int(ledger::openAccounts(store, kLocale).size());
    made.result = writeContracts(store, accounts, today, contractTemplate);
    return made;
}

} // namespace sample
