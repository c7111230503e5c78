#include "support/BusinessFolder.h"

#include "ledger/Ledger.h"
#include "setup/SettingsFiles.h"

#include <gtest/gtest.h>

using namespace customers;
using base::Money;

namespace {

struct Account {
    const char *acctNo, *type, *name, *first, *last, *address1, *city, *state, *zip, *phone;
    bool international;
    const char *service;
    int charge, mode, start;
};

// Businesses and individuals; a few abroad, written in the international
// style's third and fourth lines.
const Account kAccounts[] = {
    {"1001", "Business", "Green Acres Inc", "", "", "12 Orchard Rd", "Springfield", "IL", "62704", "217-555-0101", false,
     "Weekly Mowing", 4500, 0, 0},
    {"1002", "Individual", "", "Ann", "Lee", "4 Elm St", "Dayton", "OH", "45402", "937-555-0102", false, "Hedge Trimming",
     6000, 1, 2},
    {"1003", "Business", "Hilltop Farms", "", "", "RR 2 Box 9", "Decatur", "IL", "62521", "217-555-0103", false,
     "Pool Care", 12000, 1, 2},
    {"1004", "Individual", "", "Raj", "Patel", "88 Lake Shore Dr", "Chicago", "IL", "60611", "312-555-0104", false,
     "Fertilising", 3500, 0, 0},
    {"2001", "Business", "Harbour View Ltd", "", "", "Unit 5, 18 Wang Chiu Rd", "Kowloon Bay", "", "Hong Kong",
     "852-2555-0105", true, "Garden Design", 25000, 3, 4},
    {"2002", "Individual", "", "Claire", "Dubois", "7 Rue des Lilas", "75011 Paris", "", "France", "33-1-5555-0106", true,
     "Leaf Removal", 8000, 2, 9},
    {"1005", "Business", "Maple Court HOA", "", "", "300 Maple Ct", "Peoria", "IL", "61602", "309-555-0107", false,
     "Snow Clearing", 9000, 0, 0},
    {"1006", "Individual", "", "Tom", "Baker", "15 Birch Ln", "Champaign", "IL", "61820", "217-555-0108", false, "None", 0,
     4, -1},
};

const char *const kServices[][2] = {
    {"Weekly Mowing", "$45.00"},   {"Hedge Trimming", "$60.00"}, {"Pool Care", "$120.00"},   {"Fertilising", "$35.00"},
    {"Garden Design", "$250.00"},  {"Leaf Removal", "$80.00"},   {"Snow Clearing", "$90.00"}, {"Tree Pruning", "$150.00"},
    {"Irrigation Check", "$55.00"}, {"Aeration", "$70.00"},      {"Mulching", "$65.00"},     {"Spring Clean-up", "$110.00"},
};

const char *const kItems[][2] = {
    {"Chlorine", "Pool"},        {"Filter Cartridge", "Pool"}, {"Grass Seed", "Lawn"},   {"Fertiliser Bag", "Lawn"},
    {"Mulch Bag", "Garden"},     {"Hose", "Garden"},           {"Sprinkler", "Garden"},  {"Rock Salt", "Winter"},
    {"Ice Melt", "Winter"},      {"Weed Killer", "Lawn"},      {"Pruning Saw", "Tools"}, {"Gloves", "Tools"},
};

} // namespace

BusinessFolder fillBusiness(TestFolder &folder, setup::AddressStyle style)
{
    BusinessFolder b;
    context::AppContext &ctx = folder.context();
    ctx.settings.edit([style](setup::BusinessValues &v) {
        v.businessName = QStringLiteral("Hilltop Lawn and Garden");
        v.businessAddress1 = QStringLiteral("12 Main Street");
        v.addressStyle = style;
        if (style == setup::AddressStyle::USA) {
            v.businessCity = QStringLiteral("Springfield");
            v.businessState = QStringLiteral("IL");
            v.businessZip = QStringLiteral("62704");
        } else {
            v.businessCity = QStringLiteral("Tsim Sha Tsui");
            v.businessState = QStringLiteral("Hong Kong");
            v.businessZip.clear();
        }
        v.businessPhone = QStringLiteral("217-555-0100");
        v.taxServicesAndItems = 1;
        v.taxHeading1 = QStringLiteral("State Tax");
        v.taxRate1 = QStringLiteral("6.25");
        v.apply1stTax = 1;
        v.taxHeading2 = QStringLiteral("City Tax");
        v.taxRate2 = QStringLiteral("1.5");
        v.apply2ndTax = 1;
    });
    setup::BusinessValues values = ctx.settings.values();
    EXPECT_TRUE(setup::saveAllSettings(folder.store(), values));

    for (int i = 0; i < int(std::size(kServices)); ++i)
        b.services.push_back({QString::fromLatin1(kServices[i][0]), QString::fromLatin1(kServices[i][1]),
                              catalog::allotted::timeText(4 + i % 5)});
    for (int i = 0; i < int(std::size(kItems)); ++i) {
        catalog::InventoriedItemRecord item;
        item.description = QString::fromLatin1(kItems[i][0]);
        item.category = QString::fromLatin1(kItems[i][1]);
        item.cost = Money::fromCents(300 + 100 * i);
        item.price = Money::fromCents(600 + 150 * i);
        item.onHand = std::int16_t(40 + i);
        item.discountQty = i % 3 == 0 ? 10 : 0;
        item.discountPrice = i % 3 == 0 ? Money::fromCents(500 + 150 * i) : Money();
        item.reorderAt = 5;
        item.reorderAmount = 20;
        b.items.push_back(item);
    }
    EXPECT_TRUE(ctx.catalog.save(folder.store(), b.services, b.items));
    EXPECT_TRUE(catalog::Catalog::saveLaborRates(
        folder.store(), {{{QStringLiteral("Regular"), QStringLiteral("$40.00")},
                          {QStringLiteral("Overtime"), QStringLiteral("$60.00")},
                          {QStringLiteral("Holiday"), QStringLiteral("$80.00")}}}));

    QByteArray customerBytes, cycleBytes, contractBytes;
    const QDate today = folder.clock.at.date();
    for (const Account &a : kAccounts) {
        CustomerRecord c;
        c.acctNo = QString::fromLatin1(a.acctNo);
        c.acctType = QString::fromLatin1(a.type);
        c.firstName = QString::fromLatin1(a.first);
        c.lastName = QString::fromLatin1(a.last);
        c.name = c.acctType == CustomerRecord::kBusiness ? QString::fromLatin1(a.name) : c.firstName + u' ' + c.lastName;
        c.address1 = QString::fromLatin1(a.address1);
        c.phone = QString::fromLatin1(a.phone);
        c.cityOrAddr3 = QString::fromLatin1(a.city);
        c.zipOrAddr4 = QString::fromLatin1(a.zip);
        if (!a.international) {
            c.city = c.cityOrAddr3;
            c.state = QString::fromLatin1(a.state);
            c.zip = c.zipOrAddr4;
        }
        CycleRecord y;
        y.service = QString::fromLatin1(a.service);
        y.charge = Money::fromCents(a.charge);
        y.billingMode = std::int16_t(a.mode);
        y.startMonth = std::int16_t(a.start);
        customerBytes += c.encode();
        cycleBytes += y.encode();
        contractBytes += ContractRecord::defaults(folder.clock.at, usLocale()).encode();
        b.customers.push_back(c);
        b.cycles.push_back(y);
    }
    folder.write(kCustomerFile, customerBytes);
    folder.write(kCycleFile, cycleBytes);
    folder.write(kContractFile, contractBytes);

    // Ledgers: a year of monthly charges with payments, one account owing,
    // one paid up, one in credit.
    for (size_t i = 0; i < 5; ++i) {
        const CustomerRecord &c = b.customers[i];
        const QString file = ledger::ledgerFile(c.acctNo);
        QByteArray bytes = ledger::makeEntry(c.acctNo, c.name, Money().toCurrencyText(usLocale()),
                                             QStringLiteral("Previous Balance"), today.addYears(-1), usLocale())
                               .encode();
        int entries = 1;
        for (int m = 0; m < 12; ++m) {
            const QDate d = today.addYears(-1).addMonths(m);
            const QString charge = b.cycles[i].charge.toPlainText();
            bytes += ledger::makeEntry(c.acctNo, c.name, charge, b.cycles[i].service, d, usLocale()).encode();
            ++entries;
            if (i == 1 && m == 11)
                continue; // this one owes its last month
            const QString paid = (i == 2 && m == 11) ? (b.cycles[i].charge + Money::fromCents(2500)).toPlainText() : charge;
            bytes += ledger::makeEntry(c.acctNo, c.name, paid, QStringLiteral("Payment Check# %1").arg(100 + m), d.addDays(9),
                                       usLocale())
                         .encode();
            ++entries;
        }
        folder.write(file, bytes);
        b.ledgers.emplace_back(c.acctNo, entries);
    }
    return b;
}
