// The customer screen's ways to reach an account: the navigation buttons,
// the alphabetical account list with type-ahead, the search by criteria and
// the list of all customers.
#include "customers/CustomerFinder.h"
#include "ui/customers/CustomerScreen.h"
#include "ui/customers/FoundCustomersModel.h"
#include "ui/widgets/RowGrid.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace context;
using namespace customers;

namespace ui {

QWidget *CustomerScreen::buildSearch()
{
    m_search = new QGroupBox(QStringLiteral("Customer Search"), this);
    m_search->setObjectName(QStringLiteral("fraSearch"));
    auto *grid = new QGridLayout(m_search);
    grid->addWidget(new QLabel(QStringLiteral("Click the Button to Select a Search Criteria"), m_search), 0, 0, 1, 3);
    for (int i = 0; i < 9; ++i) {
        auto *option = new QRadioButton(customers::finder::criterionCaption(i), m_search);
        option->setObjectName(QStringLiteral("optSearch_%1").arg(i));
        connect(option, &QRadioButton::clicked, this, [this, i] { chooseCriterion(i); });
        grid->addWidget(option, 1 + i / 3, i % 3);
        m_criteria[size_t(i)] = option;
    }
    grid->addWidget(new QLabel(QStringLiteral("Enter Search Data"), m_search), 4, 0);
    m_searchFor = new QLineEdit(m_search);
    m_searchFor->setObjectName(QStringLiteral("txtSearchfor"));
    m_searchFor->setAccessibleName(QStringLiteral("Enter Search Data"));
    grid->addWidget(m_searchFor, 4, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Click Search"), m_search), 5, 0);
    auto *buttons = new QHBoxLayout;
    auto button = [&](const char *name, const char *caption, const char *tip) {
        auto *b = new QPushButton(QString::fromLatin1(caption), m_search);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromLatin1(tip));
        buttons->addWidget(b);
        return b;
    };
    connect(button("cmdStartSearch", "Search", "Finds all customers that match criteria"), &QPushButton::clicked, this,
            &CustomerScreen::startSearch);
    connect(button("cmdClearSearch", "Clear", "Clears the current Search criteria"), &QPushButton::clicked, this, [this] {
        m_searchFor->clear();
        m_searchFor->setFocus();
    });
    connect(button("cmdHideSearch", "Hide", "Hides the Search Screen"), &QPushButton::clicked, m_search, &QWidget::hide);
    buttons->addStretch();
    grid->addLayout(buttons, 5, 1, 1, 2);
    connect(m_searchFor, &QLineEdit::returnPressed, this, &CustomerScreen::startSearch);
    m_search->hide();
    return m_search;
}

QWidget *CustomerScreen::buildResults()
{
    m_results = new QGroupBox(QStringLiteral("Customers Search by Name Results"), this);
    m_results->setObjectName(QStringLiteral("fraCustomersFound"));
    auto *layout = new QVBoxLayout(m_results);
    auto *hints = new QHBoxLayout;
    hints->setSpacing(24);
    for (const char *hint : {"Left Click to Select a Customer", "Right Click to Load", "Click Retry if not Found"})
        hints->addWidget(new QLabel(QString::fromLatin1(hint), m_results));
    hints->addStretch();
    layout->addLayout(hints);
    m_found = new FoundCustomersModel(this);
    m_grid = new QTableView(m_results);
    m_grid->setModel(m_found);
    setUpRowGrid(m_grid, QStringLiteral("fgCustomersFound"));
    m_grid->horizontalHeader()->resizeSection(1, 180);
    m_grid->horizontalHeader()->resizeSection(2, 80);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->setMinimumHeight(160);
    auto *popup = new QMenu(m_grid);
    popup->setObjectName(QStringLiteral("mnupopup"));
    QAction *select = popup->addAction(QStringLiteral("Select Customer"));
    select->setObjectName(QStringLiteral("mnuSelect"));
    connect(select, &QAction::triggered, this, [this] {
        if (m_grid->currentIndex().isValid())
            selectFoundRow(m_grid->currentIndex().row());
    });
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this, popup](const QPoint &at) {
        const QModelIndex index = m_grid->indexAt(at);
        if (!index.isValid())
            return;
        m_grid->setCurrentIndex(index);
        popup->popup(m_grid->viewport()->mapToGlobal(at));
    });
    layout->addWidget(m_grid, 1);
    auto *retry = new QPushButton(QStringLiteral("&Close/Retry"), m_results);
    retry->setObjectName(QStringLiteral("cmdRetry"));
    retry->setToolTip(QStringLiteral("Clears the Search"));
    connect(retry, &QPushButton::clicked, this, [this] { locate(2); });
    layout->addWidget(retry, 0, Qt::AlignLeft);
    m_results->hide();
    return m_results;
}

void CustomerScreen::navigate(int button)
{
    if (!saveCustomer())
        return;
    m_currentRecord = customers::finder::navigate(button, m_currentRecord, m_customerCount);
    loadCustomer();
}

void CustomerScreen::locate(int button)
{
    switch (button) {
    case 0:
        if (!saveCustomer())
            return;
        m_accountList->hide();
        m_results->hide();
        m_search->show();
        m_searchFor->clear();
        break;
    case 1:
        if (m_accountList->count() == 0)
            return;
        m_search->hide();
        m_accountList->show();
        m_box[1]->hide();
        m_personalNames->hide();
        m_results->hide();
        m_accountList->setFocus();
        m_accountList->setEditText(QString());
        break;
    case 2:
        m_accountList->hide();
        m_search->hide();
        m_results->hide();
        setAccountType(m_type->text());
        break;
    case 3:
        m_accountList->hide();
        m_search->hide();
        listAllCustomers();
        break;
    default:
        break;
    }
}

void CustomerScreen::completeAccountText(const QString &text)
{
    if (m_skipAutoComplete) {
        m_skipAutoComplete = false;
        return;
    }
    if (text.isEmpty())
        return;
    const int index = m_accountList->findText(text, Qt::MatchStartsWith);
    if (index < 0)
        return;
    const QString item = m_accountList->itemText(index);
    if (item.size() <= text.size())
        return;
    m_skipAutoComplete = true;
    QLineEdit *edit = m_accountList->lineEdit();
    edit->setText(text + item.mid(text.size()));
    edit->setSelection(int(text.size()), int(item.size() - text.size()));
}

void CustomerScreen::leaveAccountList()
{
    const QString typed = m_accountList->currentText().trimmed().toUpper();
    if (typed.isEmpty())
        return;
    for (int i = 0; i < m_accountList->count(); ++i) {
        if (m_accountList->itemText(i).trimmed().toUpper() == typed) {
            m_accountList->setCurrentIndex(i);
            m_accountList->hide();
            m_currentRecord = m_accountList->itemData(i).toInt();
            loadCustomer();
            return;
        }
    }
    m_ctx.prompt.message(QStringLiteral("Name Not Found\nFirst Accont is Displayed"), kAppTitle);
    m_accountList->setEditText(QString());
    m_currentRecord = 1;
    loadCustomer();
}

void CustomerScreen::chooseCriterion(int criterion)
{
    m_searchFor->setFocus();
    if (criterion >= 6) {
        m_searchFor->setText(m_ctx.settings.values().businessPhone.left(8));
        m_searchFor->end(false);
    } else {
        m_searchFor->clear();
    }
}

void CustomerScreen::startSearch()
{
    if (m_searchFor->text().isEmpty()) {
        m_ctx.prompt.message(QStringLiteral("You must enter some criteria data for the Search"), kAppTitle);
        return;
    }
    int criterion = -1;
    for (int i = 0; i < 9 && criterion < 0; ++i) {
        if (m_criteria[size_t(i)]->isChecked())
            criterion = i;
    }
    std::vector<customers::finder::Found> found =
        customers::finder::search(m_accounts.readAllCustomers(), criterion, m_searchFor->text().trimmed().toUpper());
    m_search->hide();
    if (found.empty()) {
        // The grid keeps the rows of the last search that found something.
        m_ctx.prompt.message(QStringLiteral("No Customer Record meets this Criteria"), QStringLiteral("Customer not Found"));
        toggleServiceWindow();
        return;
    }
    if (found.size() == 1) {
        m_currentRecord = found.front().recordNumber;
        m_found->setRows(std::move(found));
        m_results->hide();
        loadCustomer();
        return;
    }
    m_results->setTitle(QStringLiteral("Customers Search by Name Results"));
    m_found->setRows(std::move(found));
    m_results->show();
    m_results->raise();
}

void CustomerScreen::listAllCustomers()
{
    if (!m_ctx.store.dataFileExists(kCustomerFile)) {
        m_ctx.prompt.beep();
        return;
    }
    m_results->setTitle(QStringLiteral("Customer List"));
    std::vector<customers::finder::Found> all = customers::finder::search(m_accounts.readAllCustomers(), customers::finder::All, QString());
    if (!all.empty())
        m_found->setRows(std::move(all));
    m_results->show();
    m_results->raise();
}

void CustomerScreen::selectFoundRow(int row)
{
    if (row < 0 || row >= m_found->rowCount())
        return;
    m_currentRecord = m_found->row(row).recordNumber;
    loadCustomer();
    m_results->hide();
}

} // namespace ui
