#include "customers/CustomerFinder.h"

namespace customers {

namespace finder {

int navigate(int button, int current, int count)
{
    const int quarter = count / 4;
    switch (button) {
    case 0: return 1;
    case 1: return current >= 2 ? current - 1 : current;
    case 2: return current >= count ? 1 : current + 1;
    case 3: return count;
    case 4: return count >= 4 ? quarter : current;
    case 6: return count >= 4 ? 2 * quarter : current;
    case 5: return count >= 4 ? 3 * quarter : current;
    default: return current;
    }
}

QString criterionCaption(int criterion)
{
    static const char *const captions[] = {
        "by Business Name", "by Address #1",        "by Address #2",           "by City or Addr #3)",
        "by State",         "by Zip Code (or Addr #4)", "by Telephone Number", "by Last Name",
        "by Account Number",
    };
    return criterion >= 0 && criterion <= 8 ? QString::fromLatin1(captions[criterion]) : QString();
}

namespace {
const QString *fieldOf(const CustomerRecord &r, int criterion)
{
    switch (criterion) {
    case BusinessName: return &r.name;
    case Address1: return &r.address1;
    case Address2: return &r.address2;
    case CityOrAddr3: return &r.cityOrAddr3;
    case State: return &r.state;
    case ZipOrAddr4: return &r.zipOrAddr4;
    case Phone: return &r.phone;
    case LastName: return &r.lastName;
    case AcctNo: return &r.acctNo;
    default: return nullptr;
    }
}
} // namespace

std::vector<Found> search(const std::vector<CustomerRecord> &records, int criterion, const QString &text)
{
    std::vector<Found> found;
    for (size_t i = 0; i < records.size(); ++i) {
        const CustomerRecord &r = records[i];
        bool match = criterion == All;
        if (!match) {
            const QString *field = fieldOf(r, criterion);
            match = field && field->trimmed().toUpper().contains(text);
        }
        if (match)
            found.push_back({r.displayName(), r.phone.trimmed(), int(i) + 1});
    }
    return found;
}

} // namespace finder

} // namespace customers
