#pragma once
// The services screen: services, stocked sales items and labour rates are
// created, changed and deleted here. Edits change the screen's two grids
// only; the files are written when the user returns to the menu or deletes
// an entry, and the catalogue the other screens read is then loaded again.
#include "context/AppContext.h"
#include "ui/shell/Screen.h"

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace ui {

class Navigator;

class ServicesScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Services;
    enum Tab { ItemsTab = 0, ServicesTab = 1, HelpTab = 2, LaborTab = 3 };

    ServicesScreen(context::AppContext &ctx, Navigator &navigator, QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;

    // The commands, by their number on the screen.
    void command(int index);
    void selectServiceRow(int row);
    void selectItemRow(int row);

    const std::vector<catalog::ServiceRow> &serviceRows() const { return m_services; }
    const std::vector<catalog::InventoriedItemRecord> &itemRows() const { return m_items; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildItemsTab();
    QWidget *buildServicesTab();
    QWidget *buildHelpTab();
    QWidget *buildLaborTab();
    QPushButton *commandButton(QWidget *parent, int index, const char *caption, const char *tip);

    // The services tab (mode 0) and the items tab (mode 1).
    void beginEdit(int mode);
    void endEdit(int mode);
    void clearEntry(int mode);
    void focusAddNew();

    void returnToMenu();
    void modifyService();
    void saveService();
    void deleteEntry(int mode);
    void modifyItem();
    void saveItem();
    void clearLaborBoxes();
    void loadLaborRates();
    void saveLaborRates();

    // Leaving a box: the checks that keep every value convertible.
    bool checkLeavingBox(QObject *box);
    bool refuseNumber(QLineEdit *box, const QString &what, const QString &range);
    bool checkWhole16(QLineEdit *box, const QString &what);

    store::FileResult saveCatalog();
    // Draw the screen's rows; the reloads take them from the catalogue first.
    void showServices();
    void showItems();
    void reloadServices();
    void reloadItems();
    QString currency(Money m) const;

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    bool m_editingExisting = false;
    bool m_checking = false;
    int m_serviceRow = -1; // the grid's current row, -1 for none
    int m_itemRow = -1;
    std::vector<catalog::ServiceRow> m_services;
    std::vector<catalog::InventoriedItemRecord> m_items;

    QTabWidget *m_tabs = nullptr;
    std::array<QPushButton *, 25> m_cmd{};
    QTableWidget *m_serviceGrid = nullptr;
    QTableWidget *m_itemGrid = nullptr;
    std::array<QLineEdit *, 2> m_description{};
    std::array<QLineEdit *, 3> m_charge{};
    QListWidget *m_time = nullptr;
    QComboBox *m_category = nullptr;
    QLineEdit *m_cost = nullptr;
    QLineEdit *m_onHand = nullptr;
    QLineEdit *m_discountQty = nullptr;
    QLineEdit *m_reorderAmount = nullptr;
    QLineEdit *m_reorderAt = nullptr;
    QCheckBox *m_keepCategory = nullptr;
    std::array<QLineEdit *, 3> m_labor{};
    std::array<QLineEdit *, 3> m_laborRate{};
};

} // namespace ui
