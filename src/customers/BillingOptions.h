#pragma once
// The account's billing options as the customer screen's service window
// shows them: the frequency and month lists, the charge texts, the three
// remembered window options, and the rule for which charge a loaded
// account shows.
#include "customers/Records.h"
#include "store/FileStore.h"

#include <QLocale>
#include <QStringList>

namespace customers {

inline const QString kServiceOptionsFile = QStringLiteral("/CycleServiceInfo.txt");


enum Mode { Monthly = 0, Quarterly, SemiAnnual, Annual, NoMode = 4 };

// "Monthly Fee" .. "Annual Fee", "None".
const QStringList &modeNames();
// The twelve month names, January first.
QStringList monthNames(const QLocale &locale);
// "This Amount will be charged " and the mode's ending ("every Month",
// "every Quarter", "Semi-Annually", "Annually"; nothing for None).
QString chargeText(int mode);
// A stored mode past the list shows as Monthly Fee.
int shownMode(int stored);

struct WindowOptions {
    bool autoFind = true;
    bool loadDefault = true;
    bool showService = true;
    bool operator==(const WindowOptions &) const = default;
};
// All three on when the file is missing.
WindowOptions loadWindowOptions(const store::FileStore &store);
store::FileResult saveWindowOptions(const store::FileStore &store, const WindowOptions &options);

// The service names an account holds no service under.
bool isNoService(const QString &service);

// The charge a loaded account shows: its own, or with loadDefault the
// preset fee of its service (the cost at the service's list position).
QString loadedChargeText(const CycleRecord &cycle, const QStringList &services, const QStringList &costs,
                         bool loadDefault, const QLocale &locale);

// Appends the amount as currency text unless a cost of the same amount is
// already listed; true when it added one.
bool addCost(QStringList &costs, base::Money amount, const QLocale &locale);

} // namespace customers
