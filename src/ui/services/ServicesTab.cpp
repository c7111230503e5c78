#include "ui/services/ServicesTab.h"

#include "catalog/CatalogRules.h"
#include "ledger/Ledger.h"
#include "ui/services/CatalogTabParts.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace base;
using namespace catalog;
using namespace ui::catalogtab;

namespace ui {

ServicesTab::ServicesTab(context::AppContext &ctx, const std::vector<ServiceRow> &rows, QWidget *parent)
    : CatalogTab(ctx, parent)
{
    auto *layout = new QHBoxLayout(this);
    m_grid = makeGrid(this, "fgServices", QStringLiteral("Services"),
                      {QStringLiteral("Service Description"), QStringLiteral("Charge"), QStringLiteral("Allotted Time")});
    m_grid->horizontalHeader()->resizeSection(1, 110);
    m_grid->horizontalHeader()->resizeSection(2, 110);
    watchGrid();
    layout->addWidget(m_grid, 3);
    layout->addWidget(buildEntry(), 2);
    m_editors = {m_save, m_charge, m_description};
    watchAmountBox(m_charge, QStringLiteral("charge"));
    for (QLineEdit *box : {m_description, m_charge})
        box->installEventFilter(this);
    load(rows);
    m_modify->setEnabled(!m_rows.empty());
}

QWidget *ServicesTab::buildEntry()
{
    auto *side = new QWidget(this);
    auto *column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    auto *hints = new QGroupBox(side);
    auto *hintBox = new QVBoxLayout(hints);
    hintBox->addWidget(boldLabel("ADD A SERVICE", hints));
    hintBox->addWidget(wrapped(QStringLiteral("Click on Add New,enter Data then click Save Service"), hints));
    hintBox->addWidget(boldLabel("MODIFY A SERVICE", hints));
    hintBox->addWidget(wrapped(QStringLiteral("Click on a Service in the Grid to Select it."), hints));
    hintBox->addWidget(wrapped(QStringLiteral("Click Modify Item, enter Data then click Save Service"), hints));
    column->addWidget(hints);

    auto *entry = new QGridLayout;
    m_description = entryBox(side, QStringLiteral("txtDescription_0"), QStringLiteral("Description"), 60);
    m_charge = entryBox(side, QStringLiteral("txtCharge_0"), QStringLiteral("Charge"));
    m_charge->setAlignment(Qt::AlignRight);
    m_time = new QListWidget(side);
    m_time->setObjectName(QStringLiteral("lstTime"));
    m_time->setAccessibleName(QStringLiteral("Time Req"));
    m_time->addItems(allotted::timeList());
    m_time->setCurrentRow(0);
    // Eight times in view, each shown whole ("10:00" included).
    m_time->setFixedHeight(m_time->sizeHintForRow(0) * 8 + 2 * m_time->frameWidth() + 2);
    m_time->setMinimumWidth(m_time->fontMetrics().horizontalAdvance(QStringLiteral("10:00")) + 48);
    entry->addWidget(wrapped(QStringLiteral("Description"), side), 0, 0);
    entry->addWidget(m_description, 1, 0, 1, 3);
    entry->addWidget(wrapped(QStringLiteral("Charge"), side), 2, 0);
    entry->addWidget(m_charge, 3, 0);
    // Two "Clear" buttons, each named for what it clears.
    QPushButton *clearDescription = command(5, "Clear", "Clears Description", [this] {
        m_description->clear();
        m_description->setFocus();
    });
    clearDescription->setAccessibleName(QStringLiteral("Clear Description"));
    QPushButton *clearCharge = command(6, "Clear", "Clears Charge", [this] {
        m_charge->clear();
        m_charge->setFocus();
    });
    clearCharge->setAccessibleName(QStringLiteral("Clear Charge"));
    entry->addWidget(clearDescription, 1, 3);
    entry->addWidget(clearCharge, 3, 1);
    entry->addWidget(wrapped(QStringLiteral("Time Req"), side), 2, 2);
    entry->addWidget(m_time, 3, 2, 2, 1);
    entry->addWidget(wrapped(QStringLiteral("Time is used by other Scheduling Programs"), side), 5, 0, 1, 4);
    column->addLayout(entry);

    auto *buttons = new QGridLayout;
    m_addNew = command(1, "Add New", "Allows addtion of an Item", [this] { addNew(m_description); });
    m_addNew->setAccessibleName(QStringLiteral("Add New Service"));
    buttons->addWidget(m_addNew, 0, 0);
    m_modify = command(3, "Modify Item", "Make Changes to the current item", [this] { modify(); });
    m_modify->setAccessibleName(QStringLiteral("Modify Service"));
    buttons->addWidget(m_modify, 0, 1);
    m_save = command(4, "Save Service", "Save the current item", [this] { save(); });
    buttons->addWidget(m_save, 1, 0);
    m_delete = command(2, "Delete Item", nullptr, [this] {
        deleteRow(QStringLiteral("This will DELETE the Selected Service"), QStringLiteral("Delete Service Item"));
    });
    m_delete->setAccessibleName(QStringLiteral("Delete Service"));
    buttons->addWidget(m_delete, 1, 1);
    buttons->addWidget(command(7, "Cancel Add or Modify", "Cancels the current action", [this] {
                             endEdit();
                             clearEntry();
                         }), 2, 0, 1, 2);
    column->addLayout(buttons);
    column->addStretch();
    return side;
}

void ServicesTab::load(const std::vector<ServiceRow> &rows)
{
    m_rows = rows;
    redraw();
}

void ServicesTab::redraw()
{
    m_grid->setRowCount(int(m_rows.size()));
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const ServiceRow &s = m_rows[size_t(r)];
        setCell(m_grid, r, 0, s.description, Qt::AlignLeft);
        setCell(m_grid, r, 1, s.charge, Qt::AlignRight);
        setCell(m_grid, r, 2, s.time, Qt::AlignHCenter);
    }
    forgetRow();
}

void ServicesTab::clearEntry()
{
    m_charge->clear();
    m_time->setCurrentRow(0);
    m_description->clear();
}

void ServicesTab::modify()
{
    if (!hasRow()) {
        m_ctx.prompt.beep(); // no service chosen in the grid
        return;
    }
    beginEdit();
    m_editingExisting = true;
    const ServiceRow &s = m_rows[size_t(m_row)];
    m_description->setText(s.description);
    m_charge->setText(s.charge);
    const QList<QListWidgetItem *> time = m_time->findItems(s.time, Qt::MatchExactly);
    m_time->setCurrentItem(time.isEmpty() ? nullptr : time.front());
    m_grid->setEnabled(false);
}

void ServicesTab::save()
{
    if (m_description->text().isEmpty()) {
        m_description->setFocus();
        m_ctx.prompt.beep();
        return;
    }
    if (m_charge->text().isEmpty()) {
        m_ctx.prompt.beep();
        m_charge->setFocus();
        return;
    }
    // As on leaving the box: never a charge that is not an amount, and not
    // the zero that replaced one.
    if (!amountForSave(m_charge))
        return;
    if (const std::optional<QString> problem = ledger::chargeTextProblem(m_description->text())) {
        m_ctx.prompt.message(*problem + u'.', QStringLiteral("Service Description"));
        m_description->setFocus();
        return;
    }
    const Money charge = *Money::parse(m_charge->text(), m_ctx.locale);
    if (const std::optional<QString> problem = chargeProblem(charge, m_ctx.locale)) {
        m_ctx.prompt.message(*problem, kChargeTooLargeTitle);
        m_charge->setFocus();
        return;
    }
    m_grid->setEnabled(true);
    QListWidgetItem *time = m_time->currentItem();
    const ServiceRow row{m_description->text(), charge.toCurrencyText(m_ctx.locale),
                         time ? time->text() : allotted::timeText(0)};
    if (m_editingExisting && m_row >= 0 && m_row < int(m_rows.size()))
        m_rows[size_t(m_row)] = row;
    else
        m_rows.push_back(row);
    const int keep = m_editingExisting ? m_row : int(m_rows.size()) - 1;
    redraw();
    selectRow(keep);
    clearEntry();
    endEdit();
    m_modify->setEnabled(true);
}

bool ServicesTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == m_charge) {
        // A box holding the default zero is emptied by the first key, so
        // typing replaces it.
        if (m_charge->text() == Money().toCurrencyText(m_ctx.locale)
            && !static_cast<QKeyEvent *>(event)->text().isEmpty())
            m_charge->clear();
    } else if (event->type() == QEvent::FocusOut && watched == m_charge && !m_checking) {
        m_checking = true;
        checkAmountBox(m_charge);
        m_checking = false;
    }
    return CatalogTab::eventFilter(watched, event);
}

} // namespace ui
