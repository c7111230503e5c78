#include "ledger/Ledger.h"

#include "base/Dates.h"

#include <QFileInfo>
#include <algorithm>
#include <string_view>

using namespace base;
using namespace store;

namespace ledger {

QString ledgerFile(const QString &acctNo)
{
    const QString acct = acctNo.trimmed();
    if (!FileStore::isSafeNameComponent(acct))
        return QString();
    return kActiveAccountsFolder + u'/' + acct + QStringLiteral(".txt");
}

QString backupFile(const QString &ledgerFile)
{
    return FileStore::backupName(ledgerFile);
}

std::optional<QString> storedAmountText(Money amount, const QLocale &locale)
{
    const QString currency = amount.toCurrencyText(locale);
    if (currency.size() <= LedgerEntry::kAmountWidth)
        return currency;
    const QString plain = amount.toPlainText();
    if (plain.size() <= LedgerEntry::kAmountWidth)
        return plain;
    return std::nullopt;
}

Sign signOf(QLatin1StringView entryText)
{
    const QLatin1StringView t = entryText.trimmed();
    const std::string_view text(t.data(), size_t(t.size()));
    for (std::string_view word : {"Payment", "Credit", "Discount"}) {
        if (text.find(word) != std::string_view::npos)
            return Sign::Subtract;
    }
    return t == QLatin1StringView("Current Balance") ? Sign::Ignore : Sign::Add;
}

std::optional<QString> chargeTextProblem(const QString &text)
{
    if (signOf(QLatin1StringView(text.toLatin1())) == Sign::Add)
        return std::nullopt;
    return QStringLiteral("\"%1\" would be counted as a payment or credit in the account's balance; choose another "
                          "description")
        .arg(text.trimmed());
}

Balance balanceOf(const QByteArray &file, const QLocale &locale)
{
    return balanceOf(file, MoneyReader(locale));
}

Balance balanceOf(const QByteArray &file, const MoneyReader &reader)
{
    // The payment list runs this over every entry of every open ledger: the
    // text and amount are read where they lie, with no string made.
    Balance b;
    const qsizetype n = file.size() / LedgerEntry::kLength;
    for (qsizetype i = 0; i < n; ++i) {
        const auto [text, amountText] =
            LedgerEntry::textAndAmountOf(QByteArrayView(file).sliced(i * LedgerEntry::kLength, LedgerEntry::kLength));
        const Sign sign = signOf(QLatin1StringView(text.data(), text.size()));
        if (sign == Sign::Ignore)
            continue;
        char16_t wide[LedgerEntry::kAmountWidth];
        std::transform(amountText.begin(), amountText.end(), wide, [](char c) { return char16_t(uchar(c)); });
        const std::optional<Money> amount = reader.parse(QStringView(wide, amountText.size()));
        if (!amount) {
            ++b.unreadable;
            continue;
        }
        b.total += sign == Sign::Subtract ? -*amount : *amount;
    }
    return b;
}

std::optional<Balance> accountBalance(const FileStore &store, const QString &ledgerFile, const QLocale &locale)
{
    const std::optional<QByteArray> file = store.readFile(ledgerFile);
    if (!file)
        return std::nullopt;
    return balanceOf(*file, locale);
}

LedgerEntry makeEntry(const QString &acctNo, const QString &name, const QString &amount, const QString &text,
                      const QDate &date, const QLocale &locale)
{
    return {name, acctNo, dates::toShortDateText(date, locale), text, amount};
}

namespace {
LedgerEntry opening(const QString &acctNo, const QString &name, const QDate &today, const QLocale &locale)
{
    return makeEntry(acctNo, name, Money().toCurrencyText(locale), QStringLiteral("Previous Balance"), today, locale);
}

FileResult ensureFolders(const FileStore &store)
{
    return store.makeFolders({kActiveAccountsFolder, kBackupFolder, FileStore::backupName(kActiveAccountsFolder)});
}
} // namespace

FileResult createLedger(const FileStore &store, const QString &acctNo, const QString &name, const QDate &today,
                        const QLocale &locale)
{
    const QString file = ledgerFile(acctNo);
    if (file.isEmpty())
        return FileResult::failure(QStringLiteral("the account number \"%1\" cannot name a ledger").arg(acctNo));
    if (FileResult r = ensureFolders(store); !r)
        return r;
    return store.replaceFile(file, opening(acctNo, name, today, locale).encode());
}

FileResult ensureLedgerFolders(const FileStore &store)
{
    return ensureFolders(store);
}

void stageLedgerEntry(Transaction &tx, const QString &ledgerFile, const LedgerEntry &entry, const QDate &today,
                      const QLocale &locale)
{
    tx.store().restoreFromBackup(ledgerFile);
    const QString copy = backupFile(ledgerFile);
    const std::optional<QByteArray> before = tx.contents(ledgerFile);
    const bool copyMatches = before && tx.contents(copy) == before;
    const qint64 size = before ? before->size() : 0;
    if (size < LedgerEntry::kLength) {
        const QByteArray content = opening(entry.acctNo, entry.acctName, today, locale).encode() + entry.encode();
        tx.writeAt(ledgerFile, 0, content, content.size());
        tx.writeAt(copy, 0, content, content.size());
        return;
    }
    const qint64 at = size / LedgerEntry::kLength * LedgerEntry::kLength;
    tx.writeAt(ledgerFile, at, entry.encode(), at + LedgerEntry::kLength);
    if (copyMatches) {
        tx.writeAt(copy, at, entry.encode(), at + LedgerEntry::kLength);
        return;
    }
    const QByteArray content = tx.contents(ledgerFile).value_or(QByteArray());
    tx.writeAt(copy, 0, content, content.size());
}

bool isPaidUp(const OpenAccount &a)
{
    return a.balance.total.isZero() && a.balance.unreadable == 0 && !a.damaged;
}

std::vector<OpenAccount> openAccounts(const FileStore &store, const QLocale &locale)
{
    // One listing of the folder, each ledger opened once by its listed name
    // and read while it is held.
    std::vector<OpenAccount> accounts;
    const MoneyReader reader(locale);
    store.forEachFile(kActiveAccountsFolder, QStringLiteral(".txt"), [&](const QString &name, const QByteArray &file) {
        OpenAccount a;
        a.ledgerFile = kActiveAccountsFolder + u'/' + name;
        const LedgerEntry first = LedgerEntry::decode(file.left(LedgerEntry::kLength));
        a.damaged = file.size() < LedgerEntry::kLength || first.acctNo.isEmpty();
        if (a.damaged) {
            a.acctNo = name.chopped(4);
            a.acctName = QStringLiteral("(damaged ledger file %1)").arg(name);
        } else {
            a.acctNo = first.acctNo;
            a.acctName = first.acctName;
        }
        a.balance = balanceOf(file, reader);
        accounts.push_back(std::move(a));
    });
    // In name order, letter case ignored.
    std::sort(accounts.begin(), accounts.end(), [](const OpenAccount &a, const OpenAccount &b) {
        return QString::compare(a.ledgerFile, b.ledgerFile, Qt::CaseInsensitive) < 0;
    });
    return accounts;
}

} // namespace ledger
