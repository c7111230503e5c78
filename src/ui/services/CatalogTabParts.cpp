#include "ui/services/CatalogTabParts.h"

#include "ui/widgets/RowGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace ui::catalogtab {

QTableWidget *makeGrid(QWidget *parent, const char *name, const QString &accessibleName, const QStringList &headings)
{
    auto *grid = new QTableWidget(0, int(headings.size()), parent);
    setUpRowGrid(grid, QString::fromLatin1(name), accessibleName);
    grid->setHorizontalHeaderLabels(headings);
    return grid;
}

void setCell(QTableWidget *grid, int row, int column, const QString &text, Qt::Alignment align)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(align | Qt::AlignVCenter);
    grid->setItem(row, column, item);
}

QLabel *boldLabel(const char *text, QWidget *parent, int pointsLarger)
{
    auto *l = new QLabel(QString::fromLatin1(text), parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + pointsLarger);
    l->setFont(f);
    return l;
}

QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    return l;
}

QLineEdit *entryBox(QWidget *parent, const QString &name, const QString &accessible, int maxLength)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

QPushButton *commandButton(QWidget *parent, int index, const char *caption, const char *tip)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QStringLiteral("cmdServices_%1").arg(index));
    if (tip)
        b->setToolTip(QString::fromLatin1(tip));
    return b;
}

} // namespace ui::catalogtab
