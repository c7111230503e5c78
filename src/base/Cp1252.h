#pragma once
// Windows-1252, the single-byte character set of older spreadsheets and
// rich-text files: Latin-1 but for 0x80..0x9F, which hold the euro sign,
// curly quotes and dashes.
#include <QByteArray>
#include <QChar>
#include <QString>

namespace base {

inline QChar fromCp1252(int byte)
{
    static const char16_t high[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? QChar(high[byte - 0x80]) : QChar(char16_t(byte));
}

inline QString decodeCp1252(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *to = out.data();
    for (const char c : bytes)
        *to++ = fromCp1252(static_cast<unsigned char>(c));
    return out;
}

} // namespace base
