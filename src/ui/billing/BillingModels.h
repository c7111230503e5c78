#pragma once
// The billing screen's two grids as models: the accounts of the loaded
// cycle (fgMonthly) and the sales items that can go on every invoice of the
// run (fgItems).
#include "base/Money.h"
#include "billing/CycleGrid.h"
#include "catalog/CatalogRecords.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <vector>

namespace ui {

class CycleGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Selected = 0, AcctNo, Name, Charge, Service, Reference, Rec, kColumns };
    using QAbstractTableModel::QAbstractTableModel;

    void setGrid(billing::CycleGrid grid);
    billing::CycleGrid &grid() { return m_grid; }
    const billing::CycleGrid &grid() const { return m_grid; }
    billing::CycleRow &row(int r) { return m_grid.rows[size_t(r)]; }
    void rowChanged(int r);
    void allChanged();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    billing::CycleGrid m_grid;
};

// One sales item and what this run does with it.
struct ItemRow {
    catalog::InventoriedItemRecord item;
    bool selected = false; // "+": on every invoice of the run
    int units = 0;
    base::Money total;
};

class ItemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Sel = 0, Description, UnitPrice, DiscAt, DiscountPrice, UnitsSold, TotalSale, kColumns };
    ItemsModel(const QLocale &locale, QObject *parent = nullptr) : QAbstractTableModel(parent), m_locale(locale) {}

    void setItems(const std::vector<catalog::InventoriedItemRecord> &items);
    ItemRow &row(int r) { return m_rows[size_t(r)]; }
    const std::vector<ItemRow> &rows() const { return m_rows; }
    void rowChanged(int r);
    // Every mark and its units and total emptied.
    void clearMarks();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QLocale m_locale;
    std::vector<ItemRow> m_rows;
};

} // namespace ui
