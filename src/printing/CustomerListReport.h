#pragma once
// The customer list: every customer of the file, three to a row, landscape,
// under the title "Account Information" and the business header on every
// page.
#include "customers/CustomerFile.h"
#include "printing/PagePrinter.h"

#include <QDateTime>
#include <QLocale>

namespace printing {

// The body starts 2.25 in from the top; rows are 5 line heights apart (6
// in the international style). False (the surface says why) when the job
// could not be completed.
bool printCustomerList(PagePrinter &printer, const customers::CustomerFile &file, bool usaStyle,
                       const QDateTime &now, const QLocale &locale);

} // namespace printing
