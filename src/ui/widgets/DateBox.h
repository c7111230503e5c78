#pragma once
// A date box in the locale's short-date form (four-digit year) with its
// calendar a key or a click away.
#include "base/Dates.h"

#include <QDateEdit>

namespace ui {

inline QDateEdit *makeDateBox(QWidget *parent, const char *objectName, const QLocale &locale)
{
    auto *box = new QDateEdit(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setCalendarPopup(true);
    box->setDisplayFormat(base::dates::shortDatePattern(locale));
    return box;
}

} // namespace ui
