#include "catalog/Catalog.h"

#include "base/FieldRoutines.h"
#include "base/ValueList.h"
#include "store/RecordFiles.h"

#include <algorithm>

using namespace base;
using namespace store;

namespace catalog {

void addCategory(QStringList &categories, const QString &category)
{
    if (category.isEmpty() || categories.contains(category, Qt::CaseSensitive))
        return;
    categories.append(category);
}

Catalog::Catalog(const QLocale &locale, QObject *parent) : QObject(parent), m_locale(locale)
{
}

void Catalog::load(const FileStore &store)
{
    if (store.dataFileExists(kServicesFile))
        loadServices(store);
    if (store.dataFileExists(kItemsFile))
        loadInventoriedItems(store);
}

namespace {
bool lessIgnoringCase(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}
} // namespace

void Catalog::loadServices(const FileStore &store)
{
    m_services.clear();
    for (const ServiceRecord &r : readAllRecords<ServiceRecord>(store, kServicesFile))
        m_services.push_back({r.description, r.charge, catalog::allotted::timeText(catalog::allotted::shownIndex(r.allottedTime))});
    std::stable_sort(m_services.begin(), m_services.end(),
                     [](const ServiceRow &a, const ServiceRow &b) { return lessIgnoringCase(a.description, b.description); });
    Q_EMIT servicesLoaded();
}

void Catalog::loadInventoriedItems(const FileStore &store)
{
    m_itemsInFileOrder = readAllRecords<InventoriedItemRecord>(store, kItemsFile);
    m_categories.clear();
    for (const InventoriedItemRecord &i : m_itemsInFileOrder)
        addCategory(m_categories, i.category);
    m_items = m_itemsInFileOrder;
    std::stable_sort(m_items.begin(), m_items.end(), [](const InventoriedItemRecord &a, const InventoriedItemRecord &b) {
        return lessIgnoringCase(a.category, b.category);
    });
    Q_EMIT itemsLoaded();
}

QStringList Catalog::serviceLevelList() const
{
    QStringList list{QStringLiteral("None")};
    for (const ServiceRow &s : m_services)
        list.append(s.description);
    return list;
}

QStringList Catalog::costList() const
{
    QStringList list{zeroText()};
    for (const ServiceRow &s : m_services)
        list.append(s.charge);
    return list;
}

FileResult Catalog::save(const FileStore &store, const std::vector<ServiceRow> &services,
                         const std::vector<InventoriedItemRecord> &items)
{
    auto failed = [](const QString &name, const FileResult &r) {
        return FileResult::failure(name.mid(1) + QStringLiteral(": ") + r.error);
    };
    if (services.empty() || services.front().description.isEmpty()) {
        store.deleteDataFile(kServicesFile);
    } else {
        QByteArray file;
        for (const ServiceRow &s : services)
            file += ServiceRecord{s.description, s.charge.left(ServiceRecord::kChargeWidth),
                                  std::int16_t(catalog::allotted::indexOfTime(s.time))}
                        .encode();
        if (FileResult r = store.saveDataFile(kServicesFile, file); !r)
            return failed(kServicesFile, r);
    }
    if (items.empty() || items.front().description.isEmpty()) {
        store.deleteDataFile(kItemsFile);
    } else {
        QByteArray file;
        for (const InventoriedItemRecord &i : items)
            file += i.encode();
        if (FileResult r = store.saveDataFile(kItemsFile, file); !r)
            return failed(kItemsFile, r);
    }
    if (store.fileExists(kServicesFile))
        loadServices(store);
    if (store.fileExists(kItemsFile))
        loadInventoriedItems(store);
    return FileResult::success();
}

std::optional<LaborRates> Catalog::loadLaborRates(const FileStore &store)
{
    if (!store.dataFileExists(kLaborFile))
        return std::nullopt;
    valuelist::Reader reader(store.readFile(kLaborFile).value_or(QByteArray()));
    LaborRates rates;
    for (LaborSlot &slot : rates) {
        slot.heading = reader.text();
        slot.rate = reader.text();
    }
    return rates;
}

std::optional<QString> Catalog::laborRatesProblem(const LaborRates &rates)
{
    static const char *const headings[] = {"Labor heading 1", "Labor heading 2", "Labor heading 3"};
    static const char *const amounts[] = {"Labor rate 1", "Labor rate 2", "Labor rate 3"};
    for (size_t i = 0; i < rates.size(); ++i) {
        if (auto problem = base::fields::unquotableText({{headings[i], rates[i].heading}, {amounts[i], rates[i].rate}}))
            return problem;
    }
    return std::nullopt;
}

FileResult Catalog::saveLaborRates(const FileStore &store, const LaborRates &rates)
{
    if (const std::optional<QString> problem = laborRatesProblem(rates))
        return FileResult::failure(*problem);
    valuelist::Writer w;
    for (const LaborSlot &slot : rates)
        w.text(slot.heading).text(slot.rate).endLine();
    return store.saveDataFile(kLaborFile, w.bytes());
}

LaborRates Catalog::defaultLaborRates() const
{
    LaborRates rates;
    for (LaborSlot &slot : rates)
        slot.rate = zeroText();
    rates[0].heading = QStringLiteral("General Labor");
    return rates;
}

} // namespace catalog
