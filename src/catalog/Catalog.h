#pragma once
// The catalogue as the other screens see it: the services and items last
// loaded from their files. The services screen edits its own rows and
// hands them to save(), which writes both files and loads them again, so
// every list in the program shows what is on disk, position for position.
#include "catalog/CatalogRecords.h"
#include "store/FileStore.h"

#include <QLocale>
#include <QObject>
#include <array>
#include <vector>

namespace catalog {

// One row of the services grid, as shown: description, charge as currency
// text, allotted time as its list text.
struct ServiceRow {
    QString description;
    QString charge;
    QString time;
    bool operator==(const ServiceRow &) const = default;
};

struct LaborSlot {
    QString heading;
    QString rate; // as the user typed it
    bool operator==(const LaborSlot &) const = default;
};
using LaborRates = std::array<LaborSlot, 3>;

// Adds a category unless it is empty or already listed (letter case counts).
void addCategory(QStringList &categories, const QString &category);

class Catalog : public QObject {
    Q_OBJECT
public:
    explicit Catalog(const QLocale &locale, QObject *parent = nullptr);

    // Loads whichever of the two files exist; a missing one keeps the list
    // loaded before, as the other screens' lists do.
    void load(const store::FileStore &store);
    void loadServices(const store::FileStore &store);
    void loadInventoriedItems(const store::FileStore &store);

    // Services by description, letter case ignored.
    const std::vector<ServiceRow> &services() const { return m_services; }
    // Items by category, letter case ignored (the services screen's grid).
    const std::vector<InventoriedItemRecord> &items() const { return m_items; }
    // Items in file order (the billing screen's item grid).
    const std::vector<InventoriedItemRecord> &itemsInFileOrder() const { return m_itemsInFileOrder; }
    // The distinct non-empty categories in the order they first occur.
    const QStringList &categories() const { return m_categories; }

    // The customer screen's service and cost lists: "None" and zero first,
    // then every service, position for position.
    QStringList serviceLevelList() const;
    QStringList costList() const;

    // Writes both files from the screen's rows, in that order; an empty list
    // deletes its file. Then loads what was written. The name of a file
    // that could not be written comes back in the error.
    store::FileResult save(const store::FileStore &store, const std::vector<ServiceRow> &services,
                     const std::vector<InventoriedItemRecord> &items);

    // "Labor.txt": nothing when it is missing.
    static std::optional<LaborRates> loadLaborRates(const store::FileStore &store);
    // A heading or rate the file cannot hold (a double quote), as the
    // message naming it; the save refuses it and writes nothing.
    static std::optional<QString> laborRatesProblem(const LaborRates &rates);
    static store::FileResult saveLaborRates(const store::FileStore &store, const LaborRates &rates);
    // The boxes shown when there is no labour file.
    LaborRates defaultLaborRates() const;

    QString zeroText() const { return base::Money().toCurrencyText(m_locale); }
    const QLocale &locale() const { return m_locale; }

Q_SIGNALS:
    void servicesLoaded();
    void itemsLoaded();

private:
    QLocale m_locale;
    std::vector<ServiceRow> m_services;
    std::vector<InventoriedItemRecord> m_items;
    std::vector<InventoriedItemRecord> m_itemsInFileOrder;
    QStringList m_categories;
};

} // namespace catalog
