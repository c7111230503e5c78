#include "overview/Overview.h"

#include "base/Dates.h"
#include "base/RecordCodec.h"
#include "billing/BillingRules.h"
#include "billing/CycleGrid.h"
#include "customers/Records.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerEntry.h"

#include <QHash>

using namespace store;
using base::Money;
using base::MoneyReader;
using base::textBytes;

namespace overview {

namespace {

// Entry dates are few and repeat across thousands of entries: each text
// is read once.
class DateReader {
public:
    explicit DateReader(const QLocale &locale) : m_locale(locale) {}
    QDate operator()(const QString &text)
    {
        auto it = m_dates.constFind(text);
        if (it == m_dates.constEnd())
            it = m_dates.insert(text, base::dates::parseShortDate(text, m_locale).value_or(QDate()));
        return *it;
    }

private:
    QLocale m_locale;
    QHash<QString, QDate> m_dates;
};

} // namespace

Glance readGlance(const FileStore &store, const QDate &today, const QLocale &locale)
{
    Glance g;
    if (store.dataFileExists(customers::kCustomerFile) && store.dataFileExists(customers::kCycleFile)) {
        for (int f = billing::Monthly; f <= billing::Annually; ++f)
            g.due[size_t(f)] = int(billing::CycleGrid::load(store, f, today.month() - 1, locale).rows.size());
    }
    DateReader dateOf(locale);
    const MoneyReader money(locale);
    QHash<QDate, std::pair<int, Money>> billedOn; // accounts billed a day, and their total
    // Each ledger read once: its balance by the ledger's own rule, as the
    // payment list reads it, and its charges from the same bytes.
    store.forEachFile(ledger::kActiveAccountsFolder, QStringLiteral(".txt"), [&](const QString &, const QByteArray &file) {
        const ledger::Balance balance = ledger::balanceOf(file, money);
        if (!balance.total.isZero()) {
            ++g.openAccounts;
            g.openTotal = g.openTotal + balance.total;
        }
        QHash<QDate, Money> mine;
        for (qsizetype at = ledger::LedgerEntry::kLength; at + ledger::LedgerEntry::kLength <= file.size();
             at += ledger::LedgerEntry::kLength) {
            const QByteArrayView entry = QByteArrayView(file).sliced(at, ledger::LedgerEntry::kLength);
            const auto [text, amountText] = ledger::LedgerEntry::textAndAmountOf(entry);
            if (ledger::signOf(QLatin1StringView(text.data(), text.size())) != ledger::Sign::Add)
                continue;
            const QDate d = dateOf(QString::fromLatin1(textBytes(entry, 70, 15)));
            const std::optional<Money> amount = money.parse(QString::fromLatin1(amountText));
            if (d.isValid() && amount)
                mine[d] = mine.value(d) + *amount;
        }
        for (auto it = mine.cbegin(); it != mine.cend(); ++it) {
            auto &day = billedOn[it.key()];
            ++day.first;
            day.second = day.second + it.value();
        }
    });
    for (auto it = billedOn.cbegin(); it != billedOn.cend(); ++it) {
        if (!g.lastRun.isValid() || it.key() > g.lastRun) {
            g.lastRun = it.key();
            g.lastRunAccounts = it.value().first;
            g.lastRunTotal = it.value().second;
        }
    }
    const QByteArray journal = store.readFile(ledger::kPaymentJournal).value_or(QByteArray());
    for (qsizetype at = 0; at + ledger::LedgerEntry::kLength <= journal.size(); at += ledger::LedgerEntry::kLength) {
        const ledger::LedgerEntry e = ledger::LedgerEntry::decode(journal.mid(at, ledger::LedgerEntry::kLength));
        const QDate d = dateOf(e.entryDate.trimmed());
        const std::optional<Money> amount = money.parse(e.entryAmount);
        if (!d.isValid() || !amount || d.year() != today.year() || d.month() != today.month())
            continue;
        ++g.paymentsThisMonth;
        g.paymentsTotal = g.paymentsTotal + *amount;
    }
    return g;
}

} // namespace overview
