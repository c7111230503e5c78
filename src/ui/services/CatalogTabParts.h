#pragma once
// The pieces the services screen's tabs are built from: the row grids,
// their cells, the entry boxes and the numbered command buttons
// ("cmdServices_<n>"), so every tab looks and is named the same way.
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

namespace ui::catalogtab {

QTableWidget *makeGrid(QWidget *parent, const char *name, const QString &accessibleName, const QStringList &headings);
void setCell(QTableWidget *grid, int row, int column, const QString &text, Qt::Alignment align);
QLabel *boldLabel(const char *text, QWidget *parent, int pointsLarger = 0);
// A label that wraps its text, so a narrow window takes the form without
// cutting it off.
QLabel *wrapped(const QString &text, QWidget *parent);
QLineEdit *entryBox(QWidget *parent, const QString &name, const QString &accessible, int maxLength = 0);
QPushButton *commandButton(QWidget *parent, int index, const char *caption, const char *tip);

} // namespace ui::catalogtab
