#pragma once
// The account list's rows (the list text and its record number) as a model
// the combo box views, so 32,767 customers are one vector handed over, not
// 32,767 items inserted one by one.
#include <QAbstractListModel>
#include <QString>
#include <utility>
#include <vector>

namespace ui {

class AccountListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using Row = std::pair<QString, int>;
    using QAbstractListModel::QAbstractListModel;

    // Sorts the rows by text, letter case ignored, keeping file order among
    // equal texts, and shows them.
    void setRows(std::vector<Row> rows);
    // The sort: a text's key compared with compareKeys orders as
    // QString::compare(a, b, Qt::CaseInsensitive) does.
    static void appendSortKey(QByteArray &keys, QStringView text);
    static int compareKeys(QByteArrayView a, QByteArrayView b);
    // The first row whose text starts with `text`, case ignored; -1 for none.
    int findStartingWith(const QString &text) const;
    // The first row whose text, trimmed and upper-cased, is `upperText`;
    // -1 for none.
    int findEqual(const QString &upperText) const;
    const Row &row(int r) const { return m_rows[size_t(r)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    std::vector<Row> m_rows;
};

} // namespace ui
