#pragma once
// The mouse wheel on a long grid: one notch moves by a page of rows, at
// least ten, so that a list of thousands of customers or items is crossed
// in a few turns.
#include <QAbstractItemView>
#include <QObject>

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
