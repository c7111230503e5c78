#include "ui/customers/SearchFrames.h"

#include "ui/customers/FoundCustomersModel.h"
#include "ui/widgets/RowGrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace customers;

namespace ui {

SearchFrame::SearchFrame(context::AppContext &ctx, QWidget *parent)
    : QGroupBox(QStringLiteral("Customer Search"), parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraSearch"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Click the Button to Select a Search Criteria"), this), 0, 0, 1, 3);
    for (int i = 0; i < 9; ++i) {
        auto *option = new QRadioButton(finder::criterionCaption(i), this);
        option->setObjectName(QStringLiteral("optSearch_%1").arg(i));
        // Chosen by a click, the arrow keys or a screen reader alike.
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                chooseCriterion(i);
        });
        grid->addWidget(option, 1 + i / 3, i % 3);
        m_criteria[size_t(i)] = option;
    }
    grid->addWidget(new QLabel(QStringLiteral("Enter Search Data"), this), 4, 0);
    m_searchFor = new QLineEdit(this);
    m_searchFor->setObjectName(QStringLiteral("txtSearchfor"));
    m_searchFor->setAccessibleName(QStringLiteral("Enter Search Data"));
    grid->addWidget(m_searchFor, 4, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Click Search"), this), 5, 0);
    auto *buttons = new QHBoxLayout;
    auto button = [&](const char *name, const char *caption, const char *tip) {
        auto *b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromLatin1(tip));
        // "Search", "Clear Search", "Hide Search": named apart from the
        // data boxes' own Clear and Hide.
        b->setAccessibleName(QString::fromLatin1(caption) == QLatin1String("Search")
                                 ? QStringLiteral("Search")
                                 : QString::fromLatin1(caption) + QStringLiteral(" Search"));
        buttons->addWidget(b);
        return b;
    };
    connect(button("cmdStartSearch", "Search", "Finds all customers that match criteria"), &QPushButton::clicked, this,
            &SearchFrame::startSearch);
    connect(button("cmdClearSearch", "Clear", "Clears the current Search criteria"), &QPushButton::clicked, this, [this] {
        m_searchFor->clear();
        m_searchFor->setFocus();
    });
    connect(button("cmdHideSearch", "Hide", "Hides the Search Screen"), &QPushButton::clicked, this, &QWidget::hide);
    buttons->addStretch();
    grid->addLayout(buttons, 5, 1, 1, 2);
    connect(m_searchFor, &QLineEdit::returnPressed, this, &SearchFrame::startSearch);
    hide();
}

void SearchFrame::open()
{
    show();
    m_searchFor->clear();
}

void SearchFrame::chooseCriterion(int criterion)
{
    m_searchFor->setFocus();
    if (criterion >= finder::Phone) {
        // The telephone criteria start from the business's own exchange.
        m_searchFor->setText(m_ctx.settings.values().businessPhone.left(8));
        m_searchFor->end(false);
    } else {
        m_searchFor->clear();
    }
}

void SearchFrame::startSearch()
{
    if (m_searchFor->text().isEmpty()) {
        m_ctx.prompt.message(QStringLiteral("You must enter some criteria data for the Search"), context::kAppTitle);
        return;
    }
    int criterion = -1;
    for (int i = 0; i < 9 && criterion < 0; ++i) {
        if (m_criteria[size_t(i)]->isChecked())
            criterion = i;
    }
    Q_EMIT searchRequested(criterion, m_searchFor->text().trimmed().toUpper());
}

FoundCustomersFrame::FoundCustomersFrame(QWidget *parent)
    : QGroupBox(QStringLiteral("Customers Search by Name Results"), parent)
{
    setObjectName(QStringLiteral("fraCustomersFound"));
    auto *layout = new QVBoxLayout(this);
    auto *hints = new QHBoxLayout;
    hints->setSpacing(24);
    for (const char *hint : {"Left Click to Select a Customer", "Right Click to Load", "Click Retry if not Found"})
        hints->addWidget(new QLabel(QString::fromLatin1(hint), this));
    hints->addStretch();
    layout->addLayout(hints);
    m_found = new FoundCustomersModel(this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_found);
    setUpRowGrid(m_grid, QStringLiteral("fgCustomersFound"), QStringLiteral("Customers Found"));
    // Enter on a row (or a double click) loads it, as the menu's Select does.
    connect(m_grid, &QTableView::activated, this, [this](const QModelIndex &index) { chooseRow(index.row()); });
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
            chooseRow(m_grid->currentIndex().row());
    });
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this, popup](const QPoint &at) {
        const QModelIndex index = m_grid->indexAt(at);
        if (!index.isValid())
            return;
        m_grid->setCurrentIndex(index);
        popup->popup(m_grid->viewport()->mapToGlobal(at));
    });
    layout->addWidget(m_grid, 1);
    auto *retry = new QPushButton(QStringLiteral("&Close/Retry"), this);
    retry->setObjectName(QStringLiteral("cmdRetry"));
    retry->setToolTip(QStringLiteral("Clears the Search"));
    connect(retry, &QPushButton::clicked, this, &FoundCustomersFrame::retryClicked);
    m_print = new QPushButton(QStringLiteral("&Print"), this);
    m_print->setObjectName(QStringLiteral("cmdPrintCustomers"));
    m_print->setToolTip(QStringLiteral("Prints the Customer Data"));
    connect(m_print, &QPushButton::clicked, this, &FoundCustomersFrame::printClicked);
    m_preview = new QPushButton(QStringLiteral("Print Pre&view"), this);
    m_preview->setObjectName(QStringLiteral("cmdPreviewCustomers"));
    m_preview->setToolTip(QStringLiteral("Shows the Customer Report before it is printed"));
    connect(m_preview, &QPushButton::clicked, this, &FoundCustomersFrame::previewClicked);
    auto *commands = new QHBoxLayout;
    commands->addWidget(retry);
    commands->addWidget(m_print);
    commands->addWidget(m_preview);
    commands->addStretch();
    layout->addLayout(commands);
    m_print->hide();
    m_preview->hide();
    hide();
}

void FoundCustomersFrame::showRows(std::vector<finder::Found> rows, const QString &title)
{
    setTitle(title);
    // An empty list keeps the rows found before.
    if (!rows.empty())
        m_found->setRows(std::move(rows));
    show();
    raise();
}

void FoundCustomersFrame::showPrintCommands()
{
    m_print->show();
    m_preview->show();
}

void FoundCustomersFrame::keepRows(std::vector<finder::Found> rows)
{
    m_found->setRows(std::move(rows));
    hide();
}

void FoundCustomersFrame::chooseRow(int row)
{
    if (row < 0 || row >= m_found->rowCount())
        return;
    Q_EMIT customerChosen(m_found->row(row).recordNumber);
    hide();
}

} // namespace ui
