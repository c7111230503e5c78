#pragma once
// Finding and stepping through customers: the navigation buttons, the
// search criteria, the duplicate account-number check. Each works on the
// records of one sequential read.
#include "customers/CustomerFile.h"

#include <QString>
#include <vector>

namespace customers {

namespace finder {

// The seven navigation buttons: 0 first, 1 previous, 2 next (wrapping),
// 3 last, 4 a quarter, 6 a half, 5 three quarters into the file. The
// position buttons move only with 4 customers or more, by whole quarters.
int navigate(int button, int current, int count);

// The nine criteria (0 business name .. 8 account number); 10 lists all.
enum Criterion { BusinessName = 0, Address1, Address2, CityOrAddr3, State, ZipOrAddr4, Phone, LastName, AcctNo,
                 All = 10 };
QString criterionCaption(int criterion);

struct Found {
    QString name;  // a business's name, else the full name
    QString phone;
    int recordNumber = 0;
};
// Records whose field, trimmed and upper-cased, contains the text (given
// upper-cased and trimmed); every record for All. An unknown criterion
// matches nothing.
std::vector<Found> search(const CustomerFile &file, int criterion, const QString &text);

} // namespace finder

} // namespace customers
