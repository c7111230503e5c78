#include "receivables/Receivables.h"

#include "base/DateBytes.h"
#include "base/RecordCodec.h"
#include "customers/Records.h"
#include "ledger/Ledger.h"

#include <QHash>
#include <algorithm>

using namespace base;

namespace receivables {

namespace {
using ledger::LedgerEntry;
constexpr int kDateAt = 70, kDateWidth = 15;
constexpr int kNameAt = 0, kNameWidth = 45, kAcctAt = 45, kAcctWidth = 25;
} // namespace

struct LedgerReader::Caches {
    explicit Caches(const QLocale &locale) : dates(locale), money(locale) {}
    DateBytes dates;
    MoneyReader money;
    // A business bills the same few amounts over and over: each distinct
    // amount's text is read once.
    ByBytes<std::optional<Money>> amounts;
    std::optional<Money> amount(QByteArrayView text)
    {
        const std::string_view key(text.data(), size_t(text.size()));
        if (auto known = amounts.find(key); known != amounts.end())
            return known->second;
        char16_t wide[LedgerEntry::kAmountWidth];
        const qsizetype n = std::min<qsizetype>(text.size(), LedgerEntry::kAmountWidth);
        std::transform(text.begin(), text.begin() + n, wide, [](char c) { return char16_t(uchar(c)); });
        const std::optional<Money> read = money.parse(QStringView(wide, n));
        if (amounts.size() < kRemembered)
            amounts.emplace(std::string(key), read);
        return read;
    }
};

LedgerReader::LedgerReader(const QLocale &locale) : m_caches(std::make_unique<Caches>(locale)) {}
LedgerReader::~LedgerReader() = default;

ReadLedger LedgerReader::read(QByteArrayView file, bool texts)
{
    ReadLedger out;
    const qsizetype n = file.size() / LedgerEntry::kLength;
    if (n > 0) {
        const QByteArrayView first = file.first(LedgerEntry::kLength);
        out.acctName = QString::fromLatin1(textBytes(first, kNameAt, kNameWidth));
        out.acctNo = QString::fromLatin1(textBytes(first, kAcctAt, kAcctWidth));
    }
    out.lines.reserve(size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        const QByteArrayView record = file.sliced(i * LedgerEntry::kLength, LedgerEntry::kLength);
        const auto [text, amountText] = LedgerEntry::textAndAmountOf(record);
        const ledger::Sign sign = ledger::signOf(QLatin1StringView(text.data(), text.size()));
        if (sign == ledger::Sign::Ignore)
            continue;
        const std::optional<Money> amount = m_caches->amount(amountText);
        const int key = m_caches->dates.quickKey(record.data() + kDateAt, kDateWidth);
        const QDate date = key ? QDate(key / 10000, key / 100 % 100, key % 100)
                               : m_caches->dates.read(textBytes(record, kDateAt, kDateWidth));
        if (!amount || !date.isValid()) {
            ++out.unreadable;
            continue;
        }
        if (amount->isZero())
            continue; // the opening entry of a new ledger, and the like: nothing owed
        out.lines.push_back({date, texts ? QString::fromLatin1(text) : QString(),
                             sign == ledger::Sign::Subtract ? -*amount : *amount});
    }
    return out;
}

Money Aging::overdue(int days) const
{
    if (days >= 90)
        return over90;
    if (days >= 60)
        return days61to90 + over90;
    return days31to60 + days61to90 + over90;
}

Aging ageOf(const std::vector<LedgerLine> &lines, const QDate &asOf)
{
    Money credits;
    std::vector<const LedgerLine *> charges;
    for (const LedgerLine &l : lines) {
        if (l.date > asOf)
            continue;
        if (l.amount.raw() > 0)
            charges.push_back(&l);
        else
            credits += -l.amount;
    }
    std::stable_sort(charges.begin(), charges.end(), [](const LedgerLine *a, const LedgerLine *b) { return a->date < b->date; });
    Aging a;
    for (const LedgerLine *c : charges) {
        const Money paid = std::min(c->amount, credits);
        credits -= paid;
        const Money owed = c->amount - paid;
        const qint64 days = c->date.daysTo(asOf);
        (days <= 30 ? a.current : days <= 60 ? a.days31to60 : days <= 90 ? a.days61to90 : a.over90) += owed;
    }
    a.credit = credits;
    return a;
}

std::vector<Receivable> receivablesAt(const store::FileStore &store, const QDate &asOf, const QLocale &locale)
{
    std::vector<Receivable> out;
    LedgerReader reader(locale);
    store.forEachFile(ledger::kActiveAccountsFolder, QStringLiteral(".txt"), [&](const QString &name, const QByteArray &bytes) {
        const ReadLedger ledger = reader.read(bytes, false);
        Receivable r;
        r.aging = ageOf(ledger.lines, asOf);
        r.unreadable = ledger.unreadable;
        if (r.aging.balance().isZero() && r.unreadable == 0)
            return;
        r.ledgerFile = ledger::kActiveAccountsFolder + u'/' + name;
        r.acctNo = ledger.acctNo.isEmpty() ? name.chopped(4) : ledger.acctNo;
        r.name = ledger.acctName;
        out.push_back(std::move(r));
    });
    std::sort(out.begin(), out.end(), [](const Receivable &a, const Receivable &b) {
        return QString::compare(a.acctNo, b.acctNo, Qt::CaseInsensitive) < 0;
    });
    // The telephone numbers from one pass over the customer file.
    QHash<QString, size_t> byAcct;
    for (size_t i = 0; i < out.size(); ++i)
        byAcct.insert(out[i].acctNo, i);
    using namespace customers;
    store.forEachRecordBlock(kCustomerFile, CustomerRecord::kLength, [&](const char *records, qsizetype count, qsizetype) {
        for (qsizetype i = 0; i < count && !byAcct.isEmpty(); ++i) {
            const QByteArrayView record(records + i * CustomerRecord::kLength, CustomerRecord::kLength);
            const auto it = byAcct.constFind(
                QString::fromLatin1(textBytes(record, customerfield::AcctNo.offset, customerfield::AcctNo.width)));
            if (it != byAcct.cend())
                out[*it].phone =
                    QString::fromLatin1(textBytes(record, customerfield::Phone.offset, customerfield::Phone.width));
        }
    });
    return out;
}

Statement statementOf(const ReadLedger &ledger, const QDate &from, const QDate &to)
{
    Statement s;
    s.from = from;
    s.to = to;
    s.unreadable = ledger.unreadable;
    std::vector<const LedgerLine *> period;
    for (const LedgerLine &l : ledger.lines) {
        if (l.date < from)
            s.opening += l.amount;
        else if (l.date <= to)
            period.push_back(&l);
    }
    std::stable_sort(period.begin(), period.end(), [](const LedgerLine *a, const LedgerLine *b) { return a->date < b->date; });
    Money balance = s.opening;
    for (const LedgerLine *l : period) {
        balance += l->amount;
        const bool charge = l->amount.raw() > 0;
        s.lines.push_back({l->date, l->text, charge ? l->amount : Money(), charge ? Money() : -l->amount, balance});
    }
    s.closing = balance;
    s.aging = ageOf(ledger.lines, to);
    return s;
}

QString unreadableText(int count)
{
    if (count <= 0)
        return QString();
    return count == 1 ? QStringLiteral("1 entry could not be read")
                      : QStringLiteral("%1 entries could not be read").arg(count);
}

} // namespace receivables
