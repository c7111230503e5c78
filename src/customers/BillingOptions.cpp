#include "customers/BillingOptions.h"

#include "base/ValueList.h"

using namespace base;
using namespace store;

namespace customers {

const QStringList &modeNames()
{
    static const QStringList names = {QStringLiteral("Monthly Fee"), QStringLiteral("Quarterly Fee"),
                                      QStringLiteral("Semi-Annual Fee"), QStringLiteral("Annual Fee"),
                                      QStringLiteral("None")};
    return names;
}

QStringList monthNames(const QLocale &locale)
{
    QStringList names;
    for (int m = 1; m <= 12; ++m)
        names.append(locale.standaloneMonthName(m, QLocale::LongFormat));
    return names;
}

QString chargeText(int mode)
{
    static const char *const endings[] = {"every Month", "every Quarter", "Semi-Annually", "Annually"};
    QString text = QStringLiteral("This Amount will be charged ");
    if (mode >= 0 && mode < 4)
        text += QString::fromLatin1(endings[mode]);
    return text;
}

int shownMode(int stored)
{
    return stored >= 0 && stored <= NoMode ? stored : Monthly;
}

WindowOptions loadWindowOptions(const FileStore &store)
{
    WindowOptions o;
    if (!store.dataFileExists(kServiceOptionsFile))
        return o;
    valuelist::Reader r(store.readFile(kServiceOptionsFile).value_or(QByteArray()));
    o.autoFind = r.integer(1) != 0;
    o.loadDefault = r.integer(1) != 0;
    o.showService = r.integer(1) != 0;
    return o;
}

FileResult saveWindowOptions(const FileStore &store, const WindowOptions &o)
{
    valuelist::Writer w;
    w.integer(o.autoFind ? 1 : 0).integer(o.loadDefault ? 1 : 0).integer(o.showService ? 1 : 0).endLine();
    return store.saveDataFile(kServiceOptionsFile, w.bytes());
}

bool isNoService(const QString &service)
{
    return service.contains(QLatin1String("None")) || service.trimmed().isEmpty();
}

QString loadedChargeText(const CycleRecord &cycle, const QStringList &services, const QStringList &costs,
                         bool loadDefault, const QLocale &locale)
{
    const QString own = cycle.charge.toCurrencyText(locale);
    if (cycle.service.contains(QLatin1String("None")) || !loadDefault)
        return own;
    const qsizetype k = services.indexOf(cycle.service.trimmed());
    if (k < 0 || k >= costs.size() || costs[k].isEmpty())
        return own;
    // The preset fee, shown again in the currency form.
    const std::optional<Money> preset = Money::parse(costs[k], locale);
    return preset ? preset->toCurrencyText(locale) : own;
}

bool addCost(QStringList &costs, Money amount, const QLocale &locale)
{
    for (const QString &c : costs) {
        if (Money::parse(c, locale) == amount)
            return false;
    }
    costs.append(amount.toCurrencyText(locale));
    return true;
}

} // namespace customers
