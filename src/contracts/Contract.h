#pragma once
// A service contract made from the rich-text template: the termination
// date, the two address blocks, and the placeholder words replaced, each
// by its value in the formatting of the word it replaces.
#include "base/Money.h"

#include <QDate>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace contracts {

inline const QString kTemplateFile = QStringLiteral("/Templates/Contracts/GenericContract.rtf");
inline const QString kServicesPlaceholder = QStringLiteral("(Insert Services and Prices Here)");
// "/Templates/Contracts/Contract - <account>.rtf"; empty when the account
// number cannot name a file.
QString contractFile(const QString &acctNo);

const QStringList &durations();   // "1 Month" .. "1 Year"
const QStringList &frequencies(); // "Monthly" .. "Annually"

// The end of a term from its start: a listed duration by calendar months (a
// day past the end of the target month becomes its last day); a typed term
// gives 21 underscores, to be filled in by hand.
QString terminationText(const QDate &start, const QString &duration, const QLocale &locale);

struct ContractValues {
    QString service;
    base::Money price;
    QString businessName, customerName;
    QDate created, commencing;
    QString duration, frequency;
    bool renews = false;
    QString contractorBlock, customerBlock;
};

// The services line's first occurrence, then the eleven placeholders in
// order, each occurrence present in the template replaced once: text a
// value brings in is never searched, so no value is replaced again and none
// can loop.
void fillContract(QTextDocument &document, const ContractValues &values, const QLocale &locale);

// Paragraph indents of 1440 and 1080 twips (left and right) on the text
// from its second character to its end.
void indentBody(QTextDocument &document);

} // namespace contracts
