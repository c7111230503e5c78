#include "billing/CycleGrid.h"

#include "base/FieldRoutines.h"
#include "billing/BillingRules.h"
#include "customers/CustomerFile.h"

using namespace customers;

namespace billing {

CycleGrid loadCycleGrid(const store::FileStore &store, int frequency, int month, const QLocale &locale)
{
    using namespace customerfield;
    const CustomerFile customers = CustomerFile::read(store);
    const QByteArray cycles = store.readFile(kCycleFile).value_or(QByteArray());
    CycleGrid grid;
    grid.accounts.reserve(size_t(customers.count()));
    for (int i = 1; i <= customers.count(); ++i) {
        const CycleRecord cycle =
            CycleRecord::decode(cycles.mid(qsizetype(i - 1) * CycleRecord::kLength, CycleRecord::kLength));
        BillingAccount a;
        a.acctNo = customers.text(i, AcctNo).trimmed();
        a.name = customers.isBusiness(i) ? customers.text(i, Name).trimmed()
                                         : base::fields::fullName(customers.text(i, Title), customers.text(i, FirstName),
                                                                  customers.text(i, MiddleInitial),
                                                                  customers.text(i, LastName))
                                               .trimmed();
        a.address1 = customers.text(i, Address1).trimmed();
        a.address2 = customers.text(i, Address2).trimmed();
        a.address3 = customers.text(i, CityOrAddr3).trimmed();
        a.state = customers.text(i, State).trimmed();
        a.phone = customers.text(i, Phone).trimmed();
        a.address4 = customers.text(i, ZipOrAddr4).trimmed();
        a.reference = cycle.chargeFor.trimmed();
        if (isDue(frequency, month, cycle.billingMode, cycle.startMonth))
            grid.rows.push_back({QString(), a.acctNo, a.name, cycle.charge.toCurrencyText(locale), cycle.service,
                                 a.reference, i});
        grid.accounts.push_back(std::move(a));
    }
    return grid;
}

} // namespace billing
