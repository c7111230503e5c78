#include "ui/customers/AccountListModel.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace ui {

namespace {
// The case-folded form of each Latin-1 character, as QChar gives it.
struct FoldTable {
    FoldTable()
    {
        for (char16_t c = 0; c < 256; ++c)
            fold[c] = QChar(c).toCaseFolded().unicode();
    }
    char16_t fold[256];
};
const FoldTable kFold;
} // namespace

namespace {
// Each character folded and stored high byte first, so that comparing the
// bytes orders the characters by their folded values. (The names come from
// Latin-1 files, so no surrogate pair needs folding as one character.)
char *writeSortKey(char *out, QStringView text)
{
    for (QChar c : text) {
        const char16_t folded = c.unicode() < 256 ? kFold.fold[c.unicode()] : c.toCaseFolded().unicode();
        *out++ = char(folded >> 8);
        *out++ = char(folded & 0xFF);
    }
    return out;
}
} // namespace

void AccountListModel::appendSortKey(QByteArray &keys, QStringView text)
{
    const qsizetype start = keys.size();
    keys.resize(start + 2 * text.size());
    writeSortKey(keys.data() + start, text);
}

int AccountListModel::compareKeys(QByteArrayView a, QByteArrayView b)
{
    const int c = std::memcmp(a.data(), b.data(), size_t(std::min(a.size(), b.size())));
    if (c != 0)
        return c;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

void AccountListModel::setRows(std::vector<Row> rows)
{
    // The names are folded once into one buffer of sort keys; the sort then
    // compares bytes, not characters folded again at every comparison.
    qsizetype total = 0;
    for (const Row &r : rows)
        total += 2 * r.first.size();
    QByteArray keys(total, Qt::Uninitialized);
    std::vector<qsizetype> ends;
    ends.reserve(rows.size());
    char *out = keys.data();
    for (const Row &r : rows) {
        out = writeSortKey(out, r.first);
        ends.push_back(out - keys.constData());
    }
    auto keyOf = [&](size_t i) {
        const qsizetype start = i == 0 ? 0 : ends[i - 1];
        return QByteArrayView(keys.constData() + start, ends[i] - start);
    };
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t x, size_t y) { return compareKeys(keyOf(x), keyOf(y)) < 0; });
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (size_t i : order)
        sorted.push_back(std::move(rows[i]));

    beginResetModel();
    m_rows = std::move(sorted);
    endResetModel();
}

int AccountListModel::findStartingWith(const QString &text) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].first.startsWith(text, Qt::CaseInsensitive))
            return int(i);
    }
    return -1;
}

int AccountListModel::findEqual(const QString &upperText) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].first.trimmed().toUpper() == upperText)
            return int(i);
    }
    return -1;
}

int AccountListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant AccountListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const Row &r = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole: return r.first;
    case Qt::UserRole: return r.second;
    default: return {};
    }
}

} // namespace ui
