#include "contracts/Contract.h"

#include "base/Dates.h"
#include "contracts/Rtf.h"
#include "store/FileStore.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace contracts {

QString contractFile(const QString &acctNo)
{
    const QString acct = acctNo.trimmed();
    if (!store::FileStore::isSafeNameComponent(QStringLiteral("Contract - ") + acct) || acct.isEmpty())
        return QString();
    return QStringLiteral("/Templates/Contracts/Contract - ") + acct + QStringLiteral(".rtf");
}

const QStringList &durations()
{
    static const QStringList d = {QStringLiteral("1 Month"), QStringLiteral("3 Months"), QStringLiteral("6 Months"),
                                  QStringLiteral("1 Year")};
    return d;
}

const QStringList &frequencies()
{
    static const QStringList f = {QStringLiteral("Monthly"), QStringLiteral("Quarterly"), QStringLiteral("Semi-Annually"),
                                  QStringLiteral("Annually")};
    return f;
}

QString terminationText(const QDate &start, const QString &duration, const QLocale &locale)
{
    static const int months[] = {1, 3, 6, 12};
    const qsizetype i = durations().indexOf(duration.trimmed());
    if (i < 0)
        return QString(21, u'_');
    // QDate::addMonths keeps the day within the target month.
    return base::dates::toShortDateText(start.addMonths(months[i]), locale);
}

namespace {
// Every occurrence of a word in the document as it stands, as cursors that
// follow the text through the replacements made before theirs.
QList<QTextCursor> occurrences(QTextDocument &doc, const QString &word, bool firstOnly = false)
{
    QList<QTextCursor> found;
    for (QTextCursor c = doc.find(word, 0, QTextDocument::FindCaseSensitively); !c.isNull();
         c = doc.find(word, c.selectionEnd(), QTextDocument::FindCaseSensitively)) {
        found.append(c);
        if (firstOnly)
            break;
    }
    return found;
}

void replace(QTextCursor &c, const QString &value)
{
    // In the formatting of the word's first character.
    QTextCursor at(c.document());
    at.setPosition(c.selectionStart() + 1);
    const QTextCharFormat format = at.charFormat();
    c.insertText(value, format);
}
} // namespace

void fillContract(QTextDocument &doc, const ContractValues &v, const QLocale &locale)
{
    const QString price = v.price.toCurrencyText(locale);
    const QString placeholders[] = {
        QStringLiteral("CONTRACTORNAME"), QStringLiteral("UNDERSIGNEDCUSTOMER"), QStringLiteral("CREATIONDATE"),
        QStringLiteral("TERMS"),          QStringLiteral("COMMENCING"),          QStringLiteral("TERMINATIONS"),
        QStringLiteral("FREQUENCY"),      QStringLiteral("COST"),                QStringLiteral("RENEWS"),
        QStringLiteral("CONTRACTORADDRESS"), QStringLiteral("CUSTOMERADDRESS")};
    const QString values[] = {v.businessName,
                              v.customerName,
                              base::dates::toShortDateText(v.created, locale),
                              v.duration,
                              base::dates::toShortDateText(v.commencing, locale),
                              terminationText(v.commencing, v.duration, locale),
                              v.frequency,
                              price,
                              v.renews ? QStringLiteral("automatically Renew") : QStringLiteral("not automatically Renew"),
                              v.contractorBlock,
                              v.customerBlock};
    // Found in the template before anything is replaced.
    QList<QTextCursor> services = occurrences(doc, kServicesPlaceholder, true);
    QList<QList<QTextCursor>> found;
    for (const QString &p : placeholders)
        found.append(occurrences(doc, p));
    QTextCursor edit(&doc);
    edit.beginEditBlock();
    for (QTextCursor &c : services)
        replace(c, v.service + QStringLiteral(" - ") + price);
    for (qsizetype i = 0; i < found.size(); ++i) {
        for (QTextCursor &c : found[i]) {
            // A shorter placeholder inside a longer one replaced before it
            // ("TERMS" is not in "TERMINATIONS", but a template may hold
            // words that were) has lost its selection: left alone.
            if (c.selectedText() == placeholders[i])
                replace(c, values[i]);
        }
    }
    edit.endEditBlock();
}

void indentBody(QTextDocument &doc)
{
    QTextCursor c(&doc);
    c.setPosition(std::min(1, doc.characterCount() - 1));
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    QTextBlockFormat f;
    f.setLeftMargin(1440 / kTwipsPerPixel);
    f.setRightMargin(1080 / kTwipsPerPixel);
    c.mergeBlockFormat(f);
}

} // namespace contracts
