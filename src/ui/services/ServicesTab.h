#pragma once
// The services screen's "Services" tab: the services grid and the boxes a
// service is added or changed in. Edits change the tab's rows only; the
// screen writes them to the file.
#include "catalog/Catalog.h"
#include "ui/services/CatalogTab.h"

#include <vector>

class QListWidget;
class QLineEdit;

namespace ui {

class ServicesTab : public CatalogTab {
    Q_OBJECT
public:
    // Shows the rows; Modify Item is offered when there are any.
    ServicesTab(context::AppContext &ctx, const std::vector<catalog::ServiceRow> &rows, QWidget *parent = nullptr);

    // Shows these rows, none chosen.
    void load(const std::vector<catalog::ServiceRow> &rows);
    const std::vector<catalog::ServiceRow> &rows() const { return m_rows; }
    // Shows the rows as they stand, none chosen.
    void redraw();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildEntry();
    int rowCount() const override { return int(m_rows.size()); }
    void eraseRow(int row) override { m_rows.erase(m_rows.begin() + row); }
    void clearEntry() override;
    void modify();
    void save();

    std::vector<catalog::ServiceRow> m_rows;
    QLineEdit *m_description = nullptr;
    QLineEdit *m_charge = nullptr;
    QListWidget *m_time = nullptr;
};

} // namespace ui
