#include "ui/services/CatalogTab.h"

#include "ui/services/CatalogTabParts.h"

#include <QPushButton>
#include <QTableWidget>

namespace ui {

CatalogTab::CatalogTab(context::AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx) {}

QPushButton *CatalogTab::command(int index, const char *caption, const char *tip)
{
    QPushButton *b = catalogtab::commandButton(this, index, caption, tip);
    connect(b, &QPushButton::clicked, this, [this, index] { onCommand(index); });
    return b;
}

void CatalogTab::focusAddNew()
{
    m_addNew->setFocus();
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

} // namespace ui
