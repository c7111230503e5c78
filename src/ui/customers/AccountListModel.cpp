#include "ui/customers/AccountListModel.h"

#include <algorithm>

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

bool AccountListModel::lessIgnoringCase(QStringView a, QStringView b)
{
    const qsizetype size = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x > 0xFF || y > 0xFF)
            return a.sliced(i).compare(b.sliced(i), Qt::CaseInsensitive) < 0;
        if (kFold.fold[x] != kFold.fold[y])
            return kFold.fold[x] < kFold.fold[y];
    }
    return a.size() < b.size();
}

void AccountListModel::setRows(std::vector<Row> rows)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row &x, const Row &y) { return lessIgnoringCase(x.first, y.first); });
    beginResetModel();
    m_rows = std::move(rows);
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
