#pragma once
// Reading the short dates and other small texts of many records straight
// from their bytes: the passes over whole ledgers and history files read a
// few hundred distinct texts hundreds of thousands of times.
#include "base/Dates.h"

#include <QByteArrayView>
#include <QList>
#include <QLocale>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace base {

// Looked up by the bytes in place, with no key made per record.
struct KeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
template <typename T>
using ByBytes = std::unordered_map<std::string, T, KeyHash, std::equal_to<>>;
// What a map remembers at most: a business repeats a few hundred texts and
// amounts; a file of distinct ones is read without the map growing.
constexpr size_t kRemembered = 4096;

// The short dates of one locale read from a record's bytes. Three numbers
// with a four-digit year in the pattern's order are read here; anything
// else the locale's reader reads, each distinct text once.
class DateBytes {
public:
    explicit DateBytes(const QLocale &locale) : m_locale(locale)
    {
        // The order of day, month and year in a numeric short date ("M/d/yyyy"
        // gives month, day, year); none when the pattern has names in it.
        const QString pattern = dates::shortDatePattern(locale);
        for (QChar c : pattern) {
            const char field = c == u'd' ? 'd' : c == u'M' ? 'M' : c == u'y' ? 'y' : 0;
            if (field && (m_order.isEmpty() || m_order.back() != field))
                m_order.append(field);
            else if (!field && c.isLetter())
                m_order.clear(), m_numeric = false;
        }
        m_numeric = m_numeric && m_order.size() == 3 && !pattern.contains(QLatin1String("MMM"))
                    && !pattern.contains(QLatin1String("ddd"));
    }

    // The date of a field's bytes as year * 10000 + month * 100 + day, read
    // in one pass when the field holds three numbers in the pattern's order
    // and blanks after them, as the program writes dates; 0 for anything
    // else (read() reads it then, as ever).
    int quickKey(const char *field, int width) const
    {
        if (!m_numeric)
            return 0;
        int value[3] = {0, 0, 0}, digits[3] = {0, 0, 0}, at = 0, i = 0;
        for (; i < width; ++i) {
            const char c = field[i];
            if (c >= '0' && c <= '9') {
                if (digits[at] == 4)
                    return 0;
                value[at] = value[at] * 10 + (c - '0');
                ++digits[at];
            } else if (c == ' ' || c == '\0') {
                break;
            } else if (digits[at] == 0 || at == 2) {
                return 0;
            } else {
                ++at;
            }
        }
        if (at != 2 || digits[2] == 0)
            return 0;
        for (; i < width && field[i] != '\0'; ++i) {
            if (field[i] != ' ')
                return 0;
        }
        int d = 0, m = 0, y = 0;
        for (int k = 0; k < 3; ++k) {
            (m_order[k] == 'd' ? d : m_order[k] == 'M' ? m : y) = value[k];
            if (m_order[k] == 'y' && digits[k] != 4)
                return 0;
        }
        return QDate::isValid(y, m, d) ? y * 10000 + m * 100 + d : 0;
    }

    QDate read(QByteArrayView text)
    {
        if (m_numeric) {
            if (const std::optional<QDate> d = numeric(text))
                return *d;
        }
        const std::string_view key(text.data(), size_t(text.size()));
        if (auto known = m_read.find(key); known != m_read.end())
            return known->second;
        const QDate d = dates::parseShortDate(QString::fromLatin1(text), m_locale).value_or(QDate());
        if (m_read.size() < kRemembered)
            m_read.emplace(std::string(key), d);
        return d;
    }

private:
    std::optional<QDate> numeric(QByteArrayView text) const
    {
        int value[3] = {0, 0, 0}, digits[3] = {0, 0, 0}, field = 0;
        for (char c : text) {
            // Nothing may follow the third number, and no number has more
            // than four digits (a longer one would overflow).
            if (field > 2 || (c >= '0' && c <= '9' && digits[field] == 4))
                return std::nullopt;
            if (c >= '0' && c <= '9') {
                value[field] = value[field] * 10 + (c - '0');
                ++digits[field];
            } else if (digits[field] > 0) {
                ++field;
            } else {
                return std::nullopt;
            }
        }
        if (field != 2 || digits[2] == 0)
            return std::nullopt;
        int d = 0, m = 0, y = 0, yDigits = 0;
        for (int i = 0; i < 3; ++i) {
            (m_order[i] == 'd' ? d : m_order[i] == 'M' ? m : y) = value[i];
            if (m_order[i] == 'y')
                yDigits = digits[i];
        }
        if (yDigits != 4 || !QDate::isValid(y, m, d))
            return std::nullopt;
        return QDate(y, m, d);
    }

    QLocale m_locale;
    QList<char> m_order;
    bool m_numeric = true;
    ByBytes<QDate> m_read;
};

} // namespace base
