#include "ui/services/CatalogTab.h"

#include "catalog/CatalogRules.h"
#include "ui/services/CatalogTabParts.h"

#include <QPushButton>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableWidget>

using namespace base;

namespace ui {

CatalogTab::CatalogTab(context::AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx) {}

QPushButton *CatalogTab::command(int index, const char *caption, const char *tip, std::function<void()> run)
{
    QPushButton *b = catalogtab::commandButton(this, index, caption, tip);
    connect(b, &QPushButton::clicked, this, std::move(run));
    return b;
}

void CatalogTab::addNew(QWidget *firstBox)
{
    m_editingExisting = false;
    beginEdit();
    clearEntry();
    firstBox->setFocus();
}

void CatalogTab::focusAddNew()
{
    m_addNew->setFocus();
}

void CatalogTab::watchGrid()
{
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { selectRow(current.row()); });
    // A click on the row that is already current chooses it again.
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row) { selectRow(row); });
}

void CatalogTab::selectRow(int row)
{
    if (row < 0 || row >= rowCount() || !m_grid->isEnabled())
        return;
    m_row = row;
    m_grid->selectRow(row);
    if (m_modifyOnSelect)
        m_modify->setEnabled(true);
    m_delete->setEnabled(true);
}

void CatalogTab::beginEdit()
{
    for (QWidget *w : m_editors)
        w->setEnabled(true);
}

void CatalogTab::endEdit()
{
    for (QWidget *w : m_editors)
        w->setEnabled(false);
    m_grid->setEnabled(true);
}

void CatalogTab::forgetRow()
{
    m_row = -1;
    m_grid->clearSelection();
    m_grid->setCurrentIndex(QModelIndex());
    m_delete->setEnabled(false);
}

void CatalogTab::deleteRow(const QString &question, const QString &title)
{
    if (!hasRow() || !m_ctx.prompt.ask(question, title))
        return;
    const bool last = rowCount() == 1;
    eraseRow(m_row);
    Q_EMIT entryDeleted(last);
    m_delete->setEnabled(false);
}

void CatalogTab::watchAmountBox(QLineEdit *box, const QString &what)
{
    m_amountBoxes.insert(box, {what, QString(), false});
    // Any change to the box, typed or made by a command, ends a refusal.
    connect(box, &QLineEdit::textChanged, this, [this, box] { m_amountBoxes[box].wasRefused = false; });
}

bool CatalogTab::checkAmountBox(QLineEdit *box)
{
    if (!box->text().isEmpty() && Money::parse(box->text(), m_ctx.locale))
        return true;
    m_ctx.prompt.beep();
    const QString typed = box->text();
    box->setText(Money().toCurrencyText(m_ctx.locale));
    AmountBox &a = m_amountBoxes[box];
    a.refused = typed;
    a.wasRefused = true;
    box->setFocus();
    return false;
}

bool CatalogTab::amountForSave(QLineEdit *box)
{
    if (!m_amountBoxes.value(box).wasRefused && checkAmountBox(box))
        return true;
    const AmountBox &a = m_amountBoxes.value(box);
    m_ctx.prompt.message(catalog::notAnAmountText(a.what, a.refused), catalog::kInvalidChargeTitle);
    box->setFocus();
    return false;
}

} // namespace ui
