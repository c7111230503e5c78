#pragma once
// The grids that list one record per row (customers found, services,
// items, open accounts): a click selects the whole row, nothing is edited
// in place, rows are a line high, and the mouse wheel moves by a page of
// rows, at least ten, so that thousands of rows are crossed in a few turns.
#include <QAbstractItemView>
#include <QObject>

class QTableView;

namespace ui {

// Sets a grid up as above, after its model is set; its first column takes
// the spare width. The accessible name is what a screen reader calls it.
void setUpRowGrid(QTableView *grid, const QString &objectName, const QString &accessibleName);

class GridWheel : public QObject {
public:
    // The filter belongs to the grid and lives as long as it.
    static void install(QAbstractItemView *grid);
    // The first row shown after one notch: up for a positive delta.
    static int nextTopRow(int topRow, int rowCount, int visibleRows, int delta);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit GridWheel(QAbstractItemView *grid);
    QAbstractItemView *m_grid;
};

} // namespace ui
