#include "customers/CustomerFinder.h"

#include <algorithm>
#include <optional>

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
std::optional<customerfield::Span> spanOf(int criterion)
{
    using namespace customerfield;
    switch (criterion) {
    case BusinessName: return Name;
    case Address1: return customerfield::Address1;
    case Address2: return customerfield::Address2;
    case CityOrAddr3: return customerfield::CityOrAddr3;
    case State: return customerfield::State;
    case ZipOrAddr4: return customerfield::ZipOrAddr4;
    case Phone: return customerfield::Phone;
    case LastName: return customerfield::LastName;
    case AcctNo: return customerfield::AcctNo;
    default: return std::nullopt;
    }
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// The field upper-cased contains the text. Most fields are plain ASCII and
// are compared on their bytes; any other field goes through QString's
// upper-casing, which maps letters such as "ß" to more than one.
bool containsUpper(QByteArrayView field, const QString &text, const std::optional<QByteArray> &asciiText)
{
    if (asciiText && isAscii(field)) {
        char upper[64];
        const qsizetype size = std::min<qsizetype>(field.size(), sizeof upper);
        for (qsizetype i = 0; i < size; ++i)
            upper[i] = (field[i] >= 'a' && field[i] <= 'z') ? char(field[i] - 'a' + 'A') : field[i];
        return QByteArrayView(upper, size).contains(*asciiText);
    }
    return QString::fromLatin1(field.data(), field.size()).toUpper().contains(text);
}
} // namespace

std::vector<Found> search(const CustomerFile &file, int criterion, const QString &text)
{
    const std::optional<customerfield::Span> span = spanOf(criterion);
    std::optional<QByteArray> asciiText;
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        asciiText = text.toLatin1();
    std::vector<Found> found;
    for (int n = 1; n <= file.count(); ++n) {
        const bool match = criterion == All || (span && containsUpper(file.field(n, *span), text, asciiText));
        if (match)
            found.push_back({file.displayName(n), file.text(n, customerfield::Phone).trimmed(), n});
    }
    return found;
}

} // namespace finder

} // namespace customers
