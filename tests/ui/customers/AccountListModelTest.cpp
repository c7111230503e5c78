// The account list's order: case ignored as QString compares, file order
// kept among names that differ only in case.
#include "ui/customers/AccountListModel.h"

#include <gtest/gtest.h>

using namespace ui;

TEST(AccountListModel, OrdersAsACaseIgnoringCompareAndKeepsFileOrderOfEquals)
{
    const QStringList names = {
        QStringLiteral("smith, ann"), QStringLiteral("Smith, Ann"), QStringLiteral("Smith"),
        QStringLiteral("Ärzte GmbH"),  QStringLiteral("arzte"),     QStringLiteral("µ Labs"),
        QStringLiteral("Zeta"),        QStringLiteral("ÿ Corp"),    QStringLiteral("Straße"),
        QStringLiteral("STRASSE"),     QStringLiteral("10 Oaks"),   QStringLiteral("#1 Pools"),
        QStringLiteral(""),            QStringLiteral("Ω Omega"),   QStringLiteral("ω omega"),
    };
    auto sign = [](int c) { return (c > 0) - (c < 0); };
    for (const QString &a : names) {
        for (const QString &b : names) {
            QByteArray ka, kb;
            AccountListModel::appendSortKey(ka, a);
            AccountListModel::appendSortKey(kb, b);
            EXPECT_EQ(sign(AccountListModel::compareKeys(ka, kb)), sign(QString::compare(a, b, Qt::CaseInsensitive)))
                << a.toStdString() << " vs " << b.toStdString();
        }
    }

    std::vector<AccountListModel::Row> rows;
    for (int i = 0; i < names.size(); ++i)
        rows.emplace_back(names[i], i + 1);
    AccountListModel model;
    model.setRows(rows);
    ASSERT_EQ(model.rowCount(), names.size());
    for (int r = 1; r < model.rowCount(); ++r)
        EXPECT_LE(QString::compare(model.row(r - 1).first, model.row(r).first, Qt::CaseInsensitive), 0) << r;
    // "smith, ann" (record 1) stays before "Smith, Ann" (record 2).
    const int lower = model.findEqual(QStringLiteral("SMITH, ANN"));
    ASSERT_GE(lower, 0);
    EXPECT_EQ(model.row(lower).second, 1);
    EXPECT_EQ(model.row(lower + 1).second, 2);
    EXPECT_EQ(model.index(lower + 1).data(Qt::UserRole).toInt(), 2);
    EXPECT_EQ(model.row(model.findStartingWith(QStringLiteral("st"))).first, QStringLiteral("STRASSE")); // "s" sorts before "ß"
    EXPECT_EQ(model.findStartingWith(QStringLiteral("Q")), -1);
}
