#include "ui/services/ServicesScreen.h"

#include "ui/widgets/RowGrid.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/PictureButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
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
    m_tabs->addTab(buildItemsTab(), QStringLiteral("Inventoried Items"));
    m_tabs->addTab(buildServicesTab(), QStringLiteral("Services"));
    m_tabs->addTab(buildHelpTab(), QStringLiteral("Help!"));
    m_tabs->addTab(buildLaborTab(), QStringLiteral("Labor Rates"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { focusAddNew(); });
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
    bottom->addWidget(commandButton(this, 0, "Menu", "Returns to the main menu"));
    layout->addLayout(bottom);

    // Screen load: the grids show the catalogue as loaded at start-up, and
    // the labour boxes what is on file, so that a save never blanks a
    // heading the user did not see.
    reloadServices();
    reloadItems();
    m_cmd[3]->setEnabled(!m_services.empty());
    m_cmd[9]->setEnabled(!m_items.empty());
    loadLaborRates();
}

QString ServicesScreen::caption() const
{
    return QStringLiteral("Services & Products Creation Screen");
}

QPushButton *ServicesScreen::commandButton(QWidget *parent, int index, const char *caption, const char *tip)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QStringLiteral("cmdServices_%1").arg(index));
    if (tip)
        b->setToolTip(QString::fromLatin1(tip));
    connect(b, &QPushButton::clicked, this, [this, index] { command(index); });
    m_cmd[size_t(index)] = b;
    return b;
}

void ServicesScreen::activate(Routine)
{
    endEdit(0);
    endEdit(1);
    m_tabs->setCurrentIndex(HelpTab);
}

void ServicesScreen::focusAddNew()
{
    if (m_tabs->currentIndex() == ItemsTab)
        m_cmd[8]->setFocus();
    else if (m_tabs->currentIndex() == ServicesTab)
        m_cmd[1]->setFocus();
}

QString ServicesScreen::currency(Money m) const
{
    return m.toCurrencyText(m_ctx.locale);
}

void ServicesScreen::command(int index)
{
    switch (index) {
    case 0: returnToMenu(); break;
    case 1:
        m_editingExisting = false;
        beginEdit(0);
        clearEntry(0);
        m_description[0]->setFocus();
        break;
    case 2: deleteEntry(0); break;
    case 3: modifyService(); break;
    case 4: saveService(); break;
    case 5:
        m_description[0]->clear();
        m_description[0]->setFocus();
        break;
    case 6:
        m_charge[0]->clear();
        m_charge[0]->setFocus();
        break;
    case 7:
        endEdit(0);
        clearEntry(0);
        break;
    case 8:
        m_editingExisting = false;
        beginEdit(1);
        clearEntry(1);
        m_description[1]->setFocus();
        break;
    case 9: modifyItem(); break;
    case 10: deleteEntry(1); break;
    case 11: clearEntry(1); break;
    case 12:
        clearLaborBoxes();
        m_labor[0]->setText(QStringLiteral("General Labor"));
        m_laborRate[0]->clear();
        m_laborRate[0]->setFocus();
        break;
    case 13: saveItem(); break;
    case 14:
        endEdit(1);
        clearEntry(1);
        break;
    case 15:
        clearLaborBoxes();
        m_labor[0]->setFocus();
        break;
    case 16: loadLaborRates(); break;
    case 17: saveLaborRates(); break;
    case 24:
        m_charge[1]->setText(currency(Money()));
        m_charge[2]->setText(currency(Money()));
        break;
    default: break;
    }
}

void ServicesScreen::beginEdit(int mode)
{
    if (mode == 0) {
        m_cmd[4]->setEnabled(true);
        m_charge[0]->setEnabled(true);
        m_description[0]->setEnabled(true);
    } else {
        m_cmd[13]->setEnabled(true);
        m_charge[1]->setEnabled(true);
        m_charge[2]->setEnabled(true);
        m_description[1]->setEnabled(true);
    }
}

void ServicesScreen::endEdit(int mode)
{
    if (mode == 0) {
        m_cmd[4]->setEnabled(false);
        m_charge[0]->setEnabled(false);
        m_description[0]->setEnabled(false);
        m_serviceGrid->setEnabled(true);
    } else {
        m_cmd[13]->setEnabled(false);
        m_charge[1]->setEnabled(false);
        m_charge[2]->setEnabled(false);
        m_description[1]->setEnabled(false);
        m_itemGrid->setEnabled(true);
    }
}

void ServicesScreen::clearEntry(int mode)
{
    if (mode == 0) {
        m_charge[0]->clear();
        m_time->setCurrentRow(0);
        m_description[0]->clear();
        return;
    }
    for (QLineEdit *box : {m_charge[1], m_description[1], m_charge[2], m_onHand, m_cost, m_discountQty, m_reorderAmount,
                           m_reorderAt})
        box->clear();
    m_category->setEditText(QString());
}

void ServicesScreen::returnToMenu()
{
    if (FileResult r = saveCatalog(); !r) {
        // The grids keep every change; the user can try again.
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
    FileResult r = m_ctx.catalog.save(m_ctx.store, m_services, m_items);
    if (r) {
        // What was written is loaded again, in the catalogue's order.
        if (m_ctx.store.fileExists(kServicesFile))
            reloadServices();
        if (m_ctx.store.fileExists(kItemsFile))
            reloadItems();
    }
    return r;
}

void ServicesScreen::deleteEntry(int mode)
{
    const bool services = mode == 0;
    const int row = services ? m_serviceRow : m_itemRow;
    const int count = services ? int(m_services.size()) : int(m_items.size());
    if (row < 0 || row >= count)
        return;
    const bool yes = services ? m_ctx.prompt.ask(QStringLiteral("This will DELETE the Selected Service"),
                                                 QStringLiteral("Delete Service Item"))
                              : m_ctx.prompt.ask(QStringLiteral("This will DELETE the Selected Sales Item"),
                                                 QStringLiteral("Delete Sales Item"));
    if (!yes)
        return;
    if (services)
        m_services.erase(m_services.begin() + row);
    else
        m_items.erase(m_items.begin() + row);
    if (count == 1) {
        // The last entry: its file goes, and nothing else is written.
        m_ctx.store.deleteDataFile(services ? kServicesFile : kItemsFile);
        services ? showServices() : showItems();
    } else if (FileResult r = saveCatalog(); !r) {
        m_ctx.prompt.message(QStringLiteral("The entry was taken off the list, but the file could not be written "
                                            "(%1).\nIt is written when you return to the menu.")
                                 .arg(r.error),
                             kAppTitle);
        services ? showServices() : showItems();
    }
    (services ? m_cmd[2] : m_cmd[10])->setEnabled(false);
}

bool ServicesScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *box = qobject_cast<QLineEdit *>(watched);
        const bool priceBox = box && (box == m_charge[0] || box == m_charge[1] || box == m_charge[2] || box == m_cost);
        // A box holding the default zero is emptied by the first key, so
        // typing replaces it.
        if (priceBox && box->text() == currency(Money()) && !static_cast<QKeyEvent *>(event)->text().isEmpty())
            box->clear();
        if (box == m_onHand && box->text() == QLatin1String("0") && !static_cast<QKeyEvent *>(event)->text().isEmpty())
            box->clear();
    } else if (event->type() == QEvent::FocusOut && !m_checking) {
        m_checking = true;
        checkLeavingBox(watched);
        m_checking = false;
    }
    return Screen::eventFilter(watched, event);
}

QWidget *ServicesScreen::buildHelpTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto heading = [&](const char *text) {
        auto *l = new QLabel(QString::fromLatin1(text), page);
        QFont f = l->font();
        f.setBold(true);
        f.setPointSize(f.pointSize() + 2);
        l->setFont(f);
        layout->addWidget(l);
    };
    auto line = [&](const char *text) {
        auto *l = new QLabel(QString::fromLatin1(text), page);
        l->setWordWrap(true);
        layout->addWidget(l);
    };
    heading("SERVICES");
    line("Create a List of Services that will appear in a drop down list for easy selection when creating Documents "
         "and Recurring Services");
    line("The Time Field is used when creating Daily Work Schedules in other Programs");
    layout->addSpacing(16);
    heading("INVENTORIED ITEMS");
    line("Create a List of Items that will appear in a drop down list for easy selection when creating Documents");
    layout->addSpacing(16);
    line("Keep the description to 20 characters or Less");
    layout->addStretch();
    return page;
}

QWidget *ServicesScreen::buildLaborTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *title = new QLabel(QStringLiteral("LABOR RATES"), page);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    title->setFont(f);
    layout->addWidget(title);
    layout->addWidget(new QLabel(QStringLiteral("Create upto 3 Labor Headings and Assign Labor Rates to each"), page));
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Labor Heading"), page), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Hourly Rate"), page), 0, 1);
    for (int i = 0; i < 3; ++i) {
        m_labor[size_t(i)] = new QLineEdit(page);
        m_labor[size_t(i)]->setObjectName(QStringLiteral("txtLabor_%1").arg(i));
        m_labor[size_t(i)]->setAccessibleName(QStringLiteral("Labor Heading %1").arg(i + 1));
        m_laborRate[size_t(i)] = new QLineEdit(page);
        m_laborRate[size_t(i)]->setObjectName(QStringLiteral("txtLaborRate_%1").arg(i));
        m_laborRate[size_t(i)]->setAccessibleName(QStringLiteral("Hourly Rate %1").arg(i + 1));
        m_laborRate[size_t(i)]->setAlignment(Qt::AlignRight);
        grid->addWidget(m_labor[size_t(i)], i + 1, 0);
        grid->addWidget(m_laborRate[size_t(i)], i + 1, 1);
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    auto *hint = new QLabel(QStringLiteral("If you do not have specialized labor categories, Click Create General Labor "
                                           "Button and enter an hourly rate for general labor"),
                            page);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(commandButton(page, 12, "Create General Labor", "Sets 1st Heading to General Labor, enter Rate"));
    buttons->addWidget(commandButton(page, 15, "&Clear All", "Clears all Headings and Rates"));
    buttons->addWidget(commandButton(page, 16, "Reload from File", "Loads boxes with Labor Headings and Rates"));
    buttons->addWidget(commandButton(page, 17, "Save &Labor Rates", "Sets 1st Heading to Genereal Labor, enter Rate"));
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

void ServicesScreen::clearLaborBoxes()
{
    for (int i = 0; i < 3; ++i) {
        m_labor[size_t(i)]->clear();
        m_laborRate[size_t(i)]->clear();
    }
}

void ServicesScreen::loadLaborRates()
{
    const std::optional<LaborRates> stored = Catalog::loadLaborRates(m_ctx.store);
    const LaborRates rates = stored.value_or(m_ctx.catalog.defaultLaborRates());
    for (int i = 0; i < 3; ++i) {
        m_labor[size_t(i)]->setText(rates[size_t(i)].heading);
        m_laborRate[size_t(i)]->setText(rates[size_t(i)].rate);
    }
    m_cmd[16]->setEnabled(stored.has_value());
}

void ServicesScreen::saveLaborRates()
{
    LaborRates rates;
    for (int i = 0; i < 3; ++i)
        rates[size_t(i)] = {m_labor[size_t(i)]->text(), m_laborRate[size_t(i)]->text()};
    if (FileResult r = Catalog::saveLaborRates(m_ctx.store, rates); !r) {
        m_ctx.prompt.message(QStringLiteral("The labor rates could not be saved (%1).\nThe boxes keep what you entered.")
                                 .arg(r.error),
                             kAppTitle);
        return;
    }
    m_cmd[16]->setEnabled(true);
    m_tabs->setCurrentIndex(ItemsTab);
}

} // namespace ui
