#pragma once
// A printed run over a few business accounts, as the run and void tests
// make it: accounts A1.. of the monthly mowing service at $49.99, and two
// stocked items.
#include "billing/PrintedRun.h"
#include "catalog/CatalogRecords.h"
#include "customers/Records.h"

#include "support/FunctionSink.h"
#include "support/TestSupport.h"

using namespace billing;
using namespace customers;
using base::Money;

inline const QDate kDay339(2026, 12, 5); // day 339 of 2026

inline void writeAccounts(TestFolder &folder, int count)
{
    QByteArray customers, cycles;
    for (int i = 0; i < count; ++i) {
        CustomerRecord c;
        c.acctNo = QStringLiteral("A%1").arg(i + 1);
        c.acctType = CustomerRecord::kBusiness;
        c.name = QStringLiteral("Customer %1").arg(i + 1);
        c.address1 = QStringLiteral("%1 Oak Road").arg(i + 1);
        c.cityOrAddr3 = QStringLiteral("Dayton");
        c.state = QStringLiteral("OH");
        c.zipOrAddr4 = QStringLiteral("45402");
        customers += c.encode();
        CycleRecord y;
        y.charge = Money::fromCents(4999);
        y.service = QStringLiteral("Weekly Mowing");
        y.chargeFor = QStringLiteral("Unit 7");
        cycles += y.encode();
    }
    folder.write(kCustomerFile, customers);
    folder.write(kCycleFile, cycles);
}

inline void writeItems(TestFolder &folder)
{
    catalog::InventoriedItemRecord a, b;
    a.description = QStringLiteral("Chlorine");
    a.price = Money::fromCents(1000);
    a.onHand = 10;
    b.description = QStringLiteral("Filter");
    b.price = Money::fromCents(2500);
    b.onHand = 1;
    folder.write(catalog::kItemsFile, a.encode() + b.encode());
}

struct RunOf {
    explicit RunOf(TestFolder &folder, std::vector<SoldLine> soldItems = {}) : items(std::move(soldItems))
    {
        grid = CycleGrid::load(folder.store(), Monthly, 11, usLocale());
        for (CycleRow &r : grid.rows)
            r.selected = QStringLiteral("+");
        settings.date = kDay339;
        settings.rates.taxed = true;
        settings.rates.rate1 = 7;
        settings.tax1Name = QStringLiteral("Sales Tax");
        settings.itemsAdded = !items.empty();
        settings.month = 11;
        settings.items = items;
        QList<Money> totals;
        for (const SoldLine &l : items)
            totals.append(l.total);
        settings.itemsTotal = sumItems(totals);
        postings = std::get<std::vector<Posting>>(planRecordsRun(grid, settings, usLocale()));
    }
    PrintedOutcome post(TestFolder &folder, bool sequential, const FunctionSink::Accept &accept)
    {
        FunctionSink sink(accept);
        return postPrintedRun(folder.store(), {postings, settings, sequential}, usLocale(), sink);
    }
    std::vector<SoldLine> items;
    CycleGrid grid;
    RunSettings settings;
    std::vector<Posting> postings;
    QStringList printed;
    FunctionSink::Accept recorder()
    {
        return [this](const printing::InvoiceValues &i, QString *) {
            printed.append(i.invoiceNo + u' ' + i.reference);
            return true;
        };
    }
};

