#include "billing/CycleGrid.h"

#include "base/FieldRoutines.h"
#include "billing/BillingRules.h"

#include <QtEndian>

using namespace customers;

namespace billing {

namespace {
constexpr int kBillingModeAt = 43, kStartMonthAt = 65;

std::int16_t int16At(const QByteArray &bytes, qsizetype at, std::int16_t fallback)
{
    return at + 2 <= bytes.size() ? qFromLittleEndian<std::int16_t>(bytes.constData() + at) : fallback;
}
} // namespace

CycleGrid CycleGrid::load(const store::FileStore &store, int frequency, int month, const QLocale &locale)
{
    CycleGrid grid;
    grid.m_customers = CustomerFile::read(store);
    grid.m_cycles = store.readFile(kCycleFile).value_or(QByteArray());
    grid.m_locale = locale;
    const CycleRecord defaults;
    for (int i = 1; i <= grid.m_customers.count(); ++i) {
        const qsizetype at = qsizetype(i - 1) * CycleRecord::kLength;
        // A record cut short reads as the default record, as the decoder has it.
        const bool whole = at + CycleRecord::kLength <= grid.m_cycles.size();
        const int mode = whole ? int16At(grid.m_cycles, at + kBillingModeAt, 0) : defaults.billingMode;
        const int start = whole ? int16At(grid.m_cycles, at + kStartMonthAt, 0) : defaults.startMonth;
        if (isDue(frequency, month, mode, start))
            grid.rows.push_back({i, QString(), std::nullopt, std::nullopt});
    }
    return grid;
}

CycleRecord CycleGrid::cycle(int rec) const
{
    return CycleRecord::decode(m_cycles.mid(qsizetype(rec - 1) * CycleRecord::kLength, CycleRecord::kLength));
}

QString CycleGrid::acctNo(int rec) const
{
    return m_customers.text(rec, customerfield::AcctNo).trimmed();
}

QString CycleGrid::name(int rec) const
{
    using namespace customerfield;
    if (m_customers.isBusiness(rec))
        return m_customers.text(rec, Name).trimmed();
    return base::fields::fullName(m_customers.text(rec, Title), m_customers.text(rec, FirstName),
                                  m_customers.text(rec, MiddleInitial), m_customers.text(rec, LastName))
        .trimmed();
}

QString CycleGrid::reference(int rec) const
{
    return cycle(rec).chargeFor.trimmed();
}

BillingAccount CycleGrid::account(int rec) const
{
    using namespace customerfield;
    auto field = [&](Span s) { return m_customers.text(rec, s).trimmed(); };
    return {acctNo(rec),       name(rec),    field(Address1), field(Address2),  field(CityOrAddr3),
            field(State),      field(Phone), field(ZipOrAddr4), reference(rec)};
}

QString CycleGrid::charge(const CycleRow &row) const
{
    return row.charge ? *row.charge : cycle(row.rec).charge.toCurrencyText(m_locale);
}

QString CycleGrid::service(const CycleRow &row) const
{
    return row.service ? *row.service : cycle(row.rec).service;
}

} // namespace billing
