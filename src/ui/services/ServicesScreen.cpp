#include "ui/services/ServicesScreen.h"

#include "catalog/Catalog.h"
#include "ui/services/CatalogTabParts.h"
#include "ui/services/ItemsTab.h"
#include "ui/services/LaborTab.h"
#include "ui/services/ServicesTab.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/PictureButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace store;
using namespace context;
using namespace catalog;

namespace ui {

ServicesScreen::ServicesScreen(AppContext &ctx, Navigator &navigator, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmServices"));
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabServices"));
    // The tabs show the catalogue as loaded at start-up.
    m_items = new ui::ItemsTab(m_ctx, m_ctx.catalog.items(), m_ctx.catalog.categories(), m_tabs);
    m_services = new ui::ServicesTab(m_ctx, m_ctx.catalog.services(), m_tabs);
    auto *labor = new ui::LaborTab(m_ctx, m_tabs);
    m_tabs->addTab(m_items, QStringLiteral("Inventoried Items"));
    m_tabs->addTab(m_services, QStringLiteral("Services"));
    m_tabs->addTab(buildHelpTab(), QStringLiteral("Help!"));
    m_tabs->addTab(labor, QStringLiteral("Labor Rates"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { focusAddNew(); });
    connect(m_services, &ServicesTab::entryDeleted, this, [this](bool last) { entryDeleted(true, last); });
    connect(m_items, &ItemsTab::entryDeleted, this, [this](bool last) { entryDeleted(false, last); });
    connect(labor, &LaborTab::saved, this, [this] { m_tabs->setCurrentIndex(ItemsTab); });
    layout->addWidget(m_tabs, 1);

    auto *bottom = new QHBoxLayout;
    auto *next = pictureButton(this, QStringLiteral("Image1"), style()->standardIcon(QStyle::SP_ArrowRight), 28,
                               QStringLiteral("Toggles the Tab Selection"));
    connect(next, &QToolButton::clicked, this, [this] { m_tabs->setCurrentIndex((m_tabs->currentIndex() + 1) % 4); });
    auto *toggleLabel = new QLabel(QStringLiteral("Toggles Tab  >"), this);
    toggleLabel->setObjectName(QStringLiteral("Label7"));
    bottom->addWidget(toggleLabel);
    bottom->addWidget(next);
    bottom->addStretch();
    QPushButton *menu = catalogtab::commandButton(this, 0, "Menu", "Returns to the main menu");
    connect(menu, &QPushButton::clicked, this, &ServicesScreen::returnToMenu);
    bottom->addWidget(menu);
    layout->addLayout(bottom);
}

QString ServicesScreen::caption() const
{
    return QStringLiteral("Services & Products Creation Screen");
}

void ServicesScreen::activate(Routine)
{
    m_services->endEdit();
    m_items->endEdit();
    m_tabs->setCurrentIndex(HelpTab);
}

void ServicesScreen::focusAddNew()
{
    if (m_tabs->currentIndex() == ItemsTab)
        m_items->focusAddNew();
    else if (m_tabs->currentIndex() == ServicesTab)
        m_services->focusAddNew();
}

void ServicesScreen::returnToMenu()
{
    if (FileResult r = saveCatalog(); !r) {
        // The tabs keep every change; the user can try again.
        m_ctx.prompt.message(QStringLiteral("The services and items could not be saved (%1).\n"
                                            "Your changes are still on this screen.")
                                 .arg(r.error),
                             kAppTitle);
        return;
    }
    m_navigator.show(ScreenId::MainMenu);
}

FileResult ServicesScreen::saveCatalog()
{
    FileResult r = m_ctx.catalog.save(m_ctx.store, m_services->rows(), m_items->rows());
    if (r) {
        // What was written is loaded again, in the catalogue's order.
        if (m_ctx.store.fileExists(kServicesFile))
            reloadServices();
        if (m_ctx.store.fileExists(kItemsFile))
            reloadItems();
    }
    return r;
}

void ServicesScreen::reloadServices()
{
    m_services->load(m_ctx.catalog.services());
}

void ServicesScreen::reloadItems()
{
    m_items->load(m_ctx.catalog.items(), m_ctx.catalog.categories());
}

void ServicesScreen::entryDeleted(bool services, bool wasLast)
{
    auto redraw = [&] { services ? m_services->redraw() : m_items->redraw(); };
    if (wasLast) {
        // The last entry: its file goes, and nothing else is written.
        m_ctx.store.deleteDataFile(services ? kServicesFile : kItemsFile);
        redraw();
    } else if (FileResult r = saveCatalog(); !r) {
        m_ctx.prompt.message(QStringLiteral("The entry was taken off the list, but the file could not be written "
                                            "(%1).\nIt is written when you return to the menu.")
                                 .arg(r.error),
                             kAppTitle);
        redraw();
    }
}

QWidget *ServicesScreen::buildHelpTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto line = [&](const char *text) {
        auto *l = new QLabel(QString::fromLatin1(text), page);
        l->setWordWrap(true);
        layout->addWidget(l);
    };
    layout->addWidget(catalogtab::boldLabel("SERVICES", page, 2));
    line("Create a List of Services that will appear in a drop down list for easy selection when creating Documents "
         "and Recurring Services");
    line("The Time Field is used when creating Daily Work Schedules in other Programs");
    layout->addSpacing(16);
    layout->addWidget(catalogtab::boldLabel("INVENTORIED ITEMS", page, 2));
    line("Create a List of Items that will appear in a drop down list for easy selection when creating Documents");
    layout->addSpacing(16);
    line("Keep the description to 20 characters or Less");
    layout->addStretch();
    return page;
}

} // namespace ui
