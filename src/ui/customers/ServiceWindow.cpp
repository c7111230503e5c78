#include "ui/customers/ServiceWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

using namespace base;
using namespace store;
using namespace context;
using namespace customers;
using namespace catalog;

namespace ui {

namespace {
constexpr int kServiceTyped = 34; // the service box takes at most this many characters
}

ServiceWindow::ServiceWindow(AppContext &ctx, QWidget *parent) : QGroupBox(QStringLiteral("Service Window"), parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraService"));
    setToolTip(QStringLiteral("Service Info for this Account"));
    makeControls();
    auto [setAll, close] = placeControls();
    connect(setAll, &QPushButton::clicked, this, &ServiceWindow::setAllRequested);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connectControls();
    refreshLists();
    connect(&m_ctx.catalog, &Catalog::servicesLoaded, this, &ServiceWindow::refreshLists);
}

void ServiceWindow::makeControls()
{
    auto combo = [this](const char *name, const char *tip) {
        auto *c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setToolTip(QString::fromLatin1(tip));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
        return c;
    };
    auto check = [this](const char *name, const char *caption, const char *tip) {
        auto *c = new QCheckBox(QString::fromLatin1(caption), this);
        c->setObjectName(QString::fromLatin1(name));
        c->setToolTip(QString::fromLatin1(tip));
        return c;
    };

    m_service = combo("cboServiceLevel", "From your list of items");
    m_service->lineEdit()->setMaxLength(kServiceTyped);
    m_service->setAccessibleName(QStringLiteral("Service"));
    m_service->lineEdit()->installEventFilter(this);
    m_cost = combo("cboCost", "Preset Cost for item above or enter new");
    m_cost->setAccessibleName(QStringLiteral("Charges"));
    m_mode = new QListWidget(this);
    m_mode->setObjectName(QStringLiteral("lstBillingMode"));
    m_mode->setToolTip(QStringLiteral("Select the Billing Frequency for this Account"));
    m_mode->setAccessibleName(QStringLiteral("Invoicing Cycle"));
    m_mode->addItems(customers::modeNames());
    m_mode->setMaximumHeight(m_mode->sizeHintForRow(0) * 5 + 2 * m_mode->frameWidth() + 4);
    m_for = new QLineEdit(this);
    m_for->setObjectName(QStringLiteral("txtFor"));
    m_for->setToolTip(QStringLiteral("Define a unique charge such as Unit #"));
    m_for->setMaxLength(20);
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("cboMonth"));
    m_month->setToolTip(QStringLiteral("1st Month to begin billing"));
    m_month->addItems(customers::monthNames(m_ctx.locale));
    m_autoFind = check("ckAutoFind", "Auto Find Fee", "Turn off to select from Fee List");
    m_loadDefault = check("ckLoadDefault", "Display Service Charge from:", "How to Select Service Fee");
    m_showService = check("ckShowService", "Service Window Opens if Service Found",
                          "If checked, the Service Window will display when changing Accts");

}

std::pair<QPushButton *, QPushButton *> ServiceWindow::placeControls()
{
    auto *grid = new QGridLayout(this);
    auto label = [&](int index, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QStringLiteral("Label2_%1").arg(index));
        m_label[size_t(index)] = l;
        return l;
    };
    int row = 0;
    grid->addWidget(label(0, QStringLiteral("Service")), row, 0);
    grid->addWidget(label(2, QStringLiteral("Charges")), row, 1);
    grid->addWidget(label(7, QStringLiteral("Invoicing Cycle")), row++, 2);
    // The lists' names for a screen reader come from their labels.
    m_label[0]->setBuddy(m_service);
    m_label[2]->setBuddy(m_cost);
    m_label[7]->setBuddy(m_mode);
    grid->addWidget(m_service, row, 0);
    grid->addWidget(m_cost, row, 1);
    grid->addWidget(m_mode, row, 2, 4, 1);
    ++row;
    auto *forLabel = new QLabel(QStringLiteral("For"), this);
    forLabel->setBuddy(m_for);
    grid->addWidget(forLabel, row, 0);
    auto *monthLabel = new QLabel(QStringLiteral("Starting this  Month (next)"), this);
    monthLabel->setBuddy(m_month);
    grid->addWidget(monthLabel, row++, 1);
    grid->addWidget(m_for, row, 0);
    grid->addWidget(m_month, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ex: Unit # 7   Max 20 Characters"), this), row++, 0);
    grid->addWidget(label(10, QStringLiteral("This Amount will be charged every")), row, 0, 1, 2);
    grid->addWidget(label(12, QStringLiteral("No Invoicing Cycle Has been Selected")), row++, 2);
    grid->addWidget(label(9, QStringLiteral("Amount is NOT Automatically Selected")), row, 0);
    grid->addWidget(label(1, QStringLiteral("Review the Charge")), row++, 1);
    grid->addWidget(m_autoFind, row, 0);
    grid->addWidget(m_loadDefault, row, 1);
    grid->addWidget(m_showService, row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("Checked = from Service Created Record"), this), row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Unchecked = From Customer Record"), this), row + 1, 1);
    auto *setAll = new QPushButton(QStringLiteral("Set All Accounts to Current Service"), this);
    setAll->setObjectName(QStringLiteral("cmdCustomer_2"));
    setAll->setToolTip(QStringLiteral("DANGER, DANGER!"));
    auto *close = new QPushButton(QStringLiteral("Close Service Window"), this);
    close->setObjectName(QStringLiteral("cmdCustomer_3"));
    grid->addWidget(setAll, row, 2);
    grid->addWidget(close, row + 1, 2);
    QFont strong = m_label[10]->font();
    strong.setBold(true);
    for (int i : {1, 9, 10, 12})
        m_label[size_t(i)]->setFont(strong);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);

    return {setAll, close};
}

void ServiceWindow::connectControls()
{
    connect(m_service, &QComboBox::activated, this, &ServiceWindow::chooseService);
    connect(m_cost, &QComboBox::activated, this, &ServiceWindow::chooseCost);
    // A frequency is taken however it was chosen: a click, the arrow keys,
    // or a screen reader selecting the item.
    connect(m_mode, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { chooseMode(m_mode->row(item)); });
    connect(m_mode, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            chooseMode(row);
    });
    connect(m_mode, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> chosen = m_mode->selectedItems();
        if (!chosen.isEmpty() && m_mode->row(chosen.front()) != m_mode->currentRow())
            chooseMode(m_mode->row(chosen.front()));
    });
    connect(m_autoFind, &QCheckBox::toggled, this, &ServiceWindow::showChargeText);
    connect(m_loadDefault, &QCheckBox::toggled, this, [this](bool on) {
        m_autoFind->setChecked(on);
        showChargeText();
    });
    // The options are kept as soon as they change, so closing the program
    // from this screen does not lose them.
    for (QCheckBox *box : {m_autoFind, m_loadDefault, m_showService}) {
        connect(box, &QCheckBox::toggled, this, &ServiceWindow::keepOptions);
    }
}

void ServiceWindow::keepOptions()
{
    if (FileResult r = saveOptions(); !r)
        m_ctx.prompt.message(QStringLiteral("The service window options could not be saved (%1).").arg(r.error),
                             kAppTitle);
}


void ServiceWindow::refreshLists()
{
    const QString service = m_service->currentText();
    const QString cost = m_cost->currentText();
    m_service->clear();
    m_service->addItems(m_ctx.catalog.serviceLevelList());
    m_cost->clear();
    m_cost->addItems(m_ctx.catalog.costList());
    m_service->setEditText(service);
    m_cost->setEditText(cost);
}

void ServiceWindow::loadOptions()
{
    const customers::WindowOptions o = customers::loadWindowOptions(m_ctx.store);
    // Loading is not a change: nothing is written back, and one option does
    // not set another.
    const QSignalBlocker a(m_autoFind), b(m_loadDefault), c(m_showService);
    m_autoFind->setChecked(o.autoFind);
    m_loadDefault->setChecked(o.loadDefault);
    m_showService->setChecked(o.showService);
}

customers::WindowOptions ServiceWindow::options() const
{
    return {m_autoFind->isChecked(), m_loadDefault->isChecked(), m_showService->isChecked()};
}

FileResult ServiceWindow::saveOptions() const
{
    return customers::saveWindowOptions(m_ctx.store, options());
}

int ServiceWindow::mode() const
{
    return m_mode->currentRow();
}

QString ServiceWindow::costText() const
{
    return m_cost->currentText();
}

void ServiceWindow::reset()
{
    chooseCost(0);
    chooseService(0);
    m_for->clear();
    chooseMode(customers::Monthly);
    m_month->setCurrentIndex(m_ctx.clock.today().month() - 1);
}

void ServiceWindow::chooseService(int index)
{
    if (index < 0 || index >= m_service->count())
        return;
    m_service->setCurrentIndex(index);
    m_service->setEditText(m_service->itemText(index));
    if (m_autoFind->isChecked() && mode() == customers::Monthly && index < m_cost->count())
        m_cost->setEditText(m_cost->itemText(index));
    if (index == 0) {
        chooseMode(customers::NoMode);
        m_for->clear();
        m_cost->setEditText(Money().toCurrencyText(m_ctx.locale));
    }
}

void ServiceWindow::chooseCost(int index)
{
    if (index < 0 || index >= m_cost->count())
        return;
    m_cost->setCurrentIndex(index);
    m_cost->setEditText(m_cost->itemText(index));
    if (m_autoFind->isChecked() && mode() == customers::Monthly && index < m_service->count())
        m_service->setEditText(m_service->itemText(index));
}

void ServiceWindow::chooseMode(int mode)
{
    m_mode->setCurrentRow(mode);
    if (mode == customers::NoMode) {
        for (int i : {9, 1, 10})
            m_label[size_t(i)]->hide();
        m_label[12]->show();
        return;
    }
    m_label[12]->hide();
    showChargeText();
    m_label[10]->setText(customers::chargeText(mode));
}

void ServiceWindow::showChargeText()
{
    const bool autoFind = m_autoFind->isChecked();
    m_label[9]->setVisible(!autoFind);
    m_label[1]->setVisible(!autoFind);
    m_label[10]->setVisible(autoFind);
    if (autoFind)
        m_label[10]->setText(customers::chargeText(mode()));
}

void ServiceWindow::load(const CycleRecord &cycle)
{
    m_month->setCurrentIndex(cycle.startMonth >= 0 && cycle.startMonth < 12 ? cycle.startMonth : -1);
    const QString service = cycle.service.trimmed();
    m_service->setEditText(service);
    QStringList services, costs;
    for (int i = 0; i < m_service->count(); ++i)
        services.append(m_service->itemText(i));
    for (int i = 0; i < m_cost->count(); ++i)
        costs.append(m_cost->itemText(i));
    m_cost->setEditText(customers::loadedChargeText(cycle, services, costs, m_loadDefault->isChecked(), m_ctx.locale));
    m_for->setText(cycle.chargeFor.trimmed());
    chooseMode(customers::shownMode(cycle.billingMode));
    showChargeText();
    if (customers::isNoService(cycle.service)) {
        chooseService(0);
        hide();
    } else {
        m_service->setEditText(service);
        setVisible(m_showService->isChecked());
    }
}

std::optional<CycleRecord> ServiceWindow::cycle(const CycleRecord &before) const
{
    const std::optional<Money> charge = Money::parse(m_cost->currentText(), m_ctx.locale);
    if (!charge)
        return std::nullopt;
    CycleRecord c = before;
    c.service = m_service->currentText().left(35);
    c.charge = *charge;
    c.billingMode = std::int16_t(m_mode->currentRow() < 0 ? 0 : m_mode->currentRow());
    c.startMonth = std::int16_t(m_month->currentIndex());
    c.chargeFor = m_for->text().trimmed().left(20);
    return c;
}

void ServiceWindow::noteSavedCharge()
{
    const std::optional<Money> charge = Money::parse(m_cost->currentText(), m_ctx.locale);
    if (!charge)
        return;
    QStringList costs;
    for (int i = 0; i < m_cost->count(); ++i)
        costs.append(m_cost->itemText(i));
    const QString shown = m_cost->currentText();
    if (customers::addCost(costs, *charge, m_ctx.locale)) {
        m_cost->addItem(costs.last());
        m_cost->setEditText(shown);
    }
}

void ServiceWindow::putValues(const CycleRecord &values)
{
    m_service->setEditText(values.service);
    m_for->setText(values.chargeFor);
    m_cost->setEditText(values.charge.toCurrencyText(m_ctx.locale));
    m_mode->setCurrentRow(customers::shownMode(values.billingMode));
    m_month->setCurrentIndex(values.startMonth >= 0 && values.startMonth < 12 ? values.startMonth : 0);
}

bool ServiceWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_service->lineEdit()) {
        QLineEdit *box = m_service->lineEdit();
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->text().isEmpty() && key->text().at(0).isPrint() && box->text().size() >= kServiceTyped
                && !box->hasSelectedText()) {
                m_ctx.prompt.beep();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && box->text().size() > kServiceTyped) {
            box->setText(box->text().left(kServiceTyped));
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace ui
