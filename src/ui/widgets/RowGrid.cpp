#include "ui/widgets/RowGrid.h"

#include <QHeaderView>
#include <QTableView>
#include <QWheelEvent>
#include <algorithm>

namespace ui {

GridWheel::GridWheel(QAbstractItemView *grid) : QObject(grid), m_grid(grid)
{
}

void GridWheel::install(QAbstractItemView *grid)
{
    grid->viewport()->installEventFilter(new GridWheel(grid));
}

int GridWheel::nextTopRow(int topRow, int rowCount, int visibleRows, int delta)
{
    if (rowCount <= 0)
        return 0;
    const int step = std::max(10, visibleRows);
    return delta > 0 ? std::max(0, topRow - step) : std::min(rowCount - 1, topRow + step);
}

bool GridWheel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel || !m_grid->model())
        return QObject::eventFilter(watched, event);
    const auto *wheel = static_cast<QWheelEvent *>(event);
    const int delta = wheel->angleDelta().y();
    if (delta == 0)
        return QObject::eventFilter(watched, event);
    const int rows = m_grid->model()->rowCount();
    const QModelIndex top = m_grid->indexAt(QPoint(1, 1));
    const int rowHeight = std::max(1, m_grid->sizeHintForRow(0));
    const int next = nextTopRow(top.isValid() ? top.row() : 0, rows, m_grid->viewport()->height() / rowHeight, delta);
    if (rows > 0)
        m_grid->scrollTo(m_grid->model()->index(next, 0), QAbstractItemView::PositionAtTop);
    return true;
}

void setUpRowGrid(QTableView *grid, const QString &objectName, const QString &accessibleName)
{
    grid->setObjectName(objectName);
    grid->setAccessibleName(accessibleName);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->setCornerButtonEnabled(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    GridWheel::install(grid);
}

} // namespace ui
