#pragma once
// The services screen: services, stocked sales items and labour rates are
// created, changed and deleted here, one tab each. Edits change the tabs'
// rows only; the files are written when the user returns to the menu or
// deletes an entry, and the catalogue the other screens read is then
// loaded again.
#include "context/AppContext.h"
#include "ui/shell/Screen.h"

class QTabWidget;

namespace ui {

class ItemsTab;
class LaborTab;
class Navigator;
class ServicesTab;

class ServicesScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Services;
    enum Tab { ItemsTab = 0, ServicesTab = 1, HelpTab = 2, LaborTab = 3 };

    ServicesScreen(context::AppContext &ctx, Navigator &navigator, QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;

private:
    QWidget *buildHelpTab();
    void focusAddNew();
    void returnToMenu();
    // An entry was taken off one of the lists: its file is written again,
    // or deleted with the last entry.
    void entryDeleted(bool services, bool wasLast);
    store::FileResult saveCatalog();
    void reloadServices();
    void reloadItems();

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    QTabWidget *m_tabs = nullptr;
    ui::ServicesTab *m_services = nullptr;
    ui::ItemsTab *m_items = nullptr;
};

} // namespace ui
