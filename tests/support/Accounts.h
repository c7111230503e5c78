#pragma once
// Customer records as the tests need them: a business or an individual with
// the fields a test looks at, the rest blank.
#include "customers/Records.h"
#include "support/TestSupport.h"

inline customers::CustomerRecord business(const QString &acct, const QString &name, const QString &phone = QString())
{
    customers::CustomerRecord r;
    r.acctNo = acct;
    r.acctType = customers::CustomerRecord::kBusiness;
    r.name = name;
    r.phone = phone;
    r.cityOrAddr3 = QStringLiteral("Springfield");
    return r;
}

// The name field of an individual holds the full name shown at load.
inline customers::CustomerRecord person(const QString &acct, const QString &first, const QString &last,
                                        const QString &phone = QString())
{
    customers::CustomerRecord r;
    r.acctNo = acct;
    r.acctType = customers::CustomerRecord::kIndividual;
    r.firstName = first;
    r.lastName = last;
    r.phone = phone;
    r.name = first + u' ' + last;
    r.cityOrAddr3 = QStringLiteral("Shelbyville");
    return r;
}

inline QByteArray encodeAll(const std::vector<customers::CustomerRecord> &records)
{
    QByteArray bytes;
    for (const customers::CustomerRecord &r : records)
        bytes += r.encode();
    return bytes;
}

// A cycle record: billed monthly unless told, from January.
inline customers::CycleRecord cycleOf(qint64 cents, const QString &service = QStringLiteral("Weekly Mowing"), int mode = 0,
                                      int startMonth = 0)
{
    customers::CycleRecord c;
    c.charge = base::Money::fromCents(cents);
    c.service = service;
    c.billingMode = std::int16_t(mode);
    c.startMonth = std::int16_t(startMonth);
    return c;
}

// The customer file and the cycle file, each account with the same cycle.
inline void writeAccounts(TestFolder &folder, const std::vector<customers::CustomerRecord> &records,
                          const customers::CycleRecord &cycle)
{
    folder.write(customers::kCustomerFile, encodeAll(records));
    folder.write(customers::kCycleFile, cycle.encode().repeated(qsizetype(records.size())));
}
