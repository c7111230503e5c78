#pragma once
// The business at a glance, for the home page: what is due this month,
// what is owed, the last billing run and this month's payments. Each
// figure is read the way the screen it belongs to reads it (the billing
// grid's due rule, the payment list's balances), so the two always agree.
// It reads several files, so it runs off the window's thread, on a store of
// its own.
#include "base/Money.h"
#include "store/FileStore.h"

#include <QDate>
#include <QLocale>
#include <array>

namespace overview {

struct Glance {
    // Accounts due this month, by frequency: monthly, quarterly,
    // semi-annual, annual (the billing grid's rows for each).
    std::array<int, 4> due{};
    // Ledgers whose balance is not zero, and what they come to.
    int openAccounts = 0;
    base::Money openTotal;
    // The last day anything was billed: the accounts billed that day and
    // what their charges came to. No date when nothing has been billed.
    QDate lastRun;
    int lastRunAccounts = 0;
    base::Money lastRunTotal;
    // Payments entered this month (by the date they carry).
    int paymentsThisMonth = 0;
    base::Money paymentsTotal;
};

Glance readGlance(const store::FileStore &store, const QDate &today, const QLocale &locale);

} // namespace overview
