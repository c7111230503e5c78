#include "ui/payments/PaymentScreen.h"

#include "ledger/PaymentEntry.h"
#include "ui/payments/PaymentEntryFrame.h"
#include "ui/widgets/FailureText.h"
#include "ui/widgets/RowGrid.h"
#include "ui/shell/Navigator.h"
#include "ui/payments/PaymentModel.h"
#include "ui/widgets/PictureButton.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using namespace base;
using namespace store;
using namespace context;

namespace ui {

PaymentScreen::PaymentScreen(AppContext &ctx, Navigator &navigator, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmAuto"));
    auto *layout = new QVBoxLayout(this);

    auto *hint = new QHBoxLayout;
    m_pointerGrid = pictureButton(this, QStringLiteral("Image1_9"), style()->standardIcon(QStyle::SP_ArrowDown), 24,
                                  QStringLiteral("Tick the Select Column to Select an Account."));
    hint->addWidget(m_pointerGrid);
    hint->addWidget(new QLabel(QStringLiteral("Tick the Select Column to Select an Account."), this));
    hint->addStretch();
    layout->addLayout(hint);

    layout->addWidget(buildGrid(), 1);
    // The payment's boxes and commands framed together under the grid.
    m_entry = new PaymentEntryFrame(m_ctx, this);
    connect(m_entry, &PaymentEntryFrame::paymentEntered, this, &PaymentScreen::paymentEntered);
    connect(m_entry, &PaymentEntryFrame::redoRequested, this, &PaymentScreen::clearRowEntry);
    connect(m_entry, &PaymentEntryFrame::checkCleared, this, [this] {
        if (m_current >= 0 && m_current < m_model->rowCount()) {
            m_model->row(m_current).method.clear();
            m_model->rowChanged(m_current);
        }
    });
    layout->addWidget(m_entry);
    layout->addLayout(buildBottom());
    startPointers();
}

QPushButton *PaymentScreen::commandButton(int index, const char *caption, const char *tip, std::function<void()> run)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QStringLiteral("cmdAuto_%1").arg(index));
    if (tip)
        b->setToolTip(QString::fromLatin1(tip));
    connect(b, &QPushButton::clicked, this, std::move(run));
    return b;
}

QTableView *PaymentScreen::buildGrid()
{
    m_model = new PaymentModel(m_ctx.locale, this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    setUpRowGrid(m_grid, QStringLiteral("fgAutoPay"), QStringLiteral("Open Accounts"));
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    for (auto [column, width] : {std::pair{0, 60}, {1, 140}, {3, 120}, {4, 140}, {5, 120}})
        m_grid->horizontalHeader()->resizeSection(column, width);
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableView::clicked, this, [this](const QModelIndex &index) { selectRow(index.row()); });
    return m_grid;

}

QLayout *PaymentScreen::buildBottom()
{
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(commandButton(6, "Purge All Accounts with a Zero Balance", nullptr, [this] { purgeZeroBalances(); }));
    bottom->addStretch();
    bottom->addWidget(new QLabel(QStringLiteral("Click when All Postings are Complete"), this));
    m_pointerWrite = pictureButton(this, QStringLiteral("Image1_0"), style()->standardIcon(QStyle::SP_ArrowRight), 24,
                                   QStringLiteral("Click when All Postings are Complete"));
    bottom->addWidget(m_pointerWrite);
    bottom->addWidget(commandButton(1, "Write Payments", nullptr, [this] { writePayments(); }));
    bottom->addWidget(commandButton(0, "Menu", nullptr, [this] { showMenu(); }));
    return bottom;

}

void PaymentScreen::startPointers()
{
    // The two pointers blink by switching their visibility on every tick.
    m_timer1 = new QTimer(this);
    m_timer1->setInterval(500);
    // A pointer blinks by its picture, not by coming and going, so it stays
    // one steady control for a screen reader.
    auto blink = [](QToolButton *pointer, const QIcon &picture) {
        pointer->setIcon(pointer->icon().isNull() ? picture : QIcon());
    };
    const QIcon down = m_pointerGrid->icon(), right = m_pointerWrite->icon();
    connect(m_timer1, &QTimer::timeout, this, [=, this] { blink(m_pointerGrid, down); });
    m_timer2 = new QTimer(this);
    m_timer2->setInterval(500);
    connect(m_timer2, &QTimer::timeout, this, [=, this] { blink(m_pointerWrite, right); });
    // A stopped pointer shows its picture again; the blank picture keeps
    // the pointer's size.
    for (auto [timer, pointer, picture] : {std::tuple{m_timer1, m_pointerGrid, down}, {m_timer2, m_pointerWrite, right}}) {
        pointer->setFixedSize(pointer->sizeHint());
        m_pictures.insert(timer, {pointer, picture});
    }
    // A blinking pointer keeps its place, so nothing around it moves.
    for (QToolButton *pointer : {m_pointerGrid, m_pointerWrite}) {
        QSizePolicy keep = pointer->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        pointer->setSizePolicy(keep);
    }
    m_pointerWrite->hide();
}

QString PaymentScreen::caption() const
{
    return QStringLiteral("Account Receivable Batch Processing");
}

void PaymentScreen::stopBlinking(QTimer *timer)
{
    timer->stop();
    const auto &[pointer, picture] = m_pictures.value(timer);
    pointer->setIcon(picture);
}

bool PaymentScreen::pointerBlinking(int image) const
{
    return (image == 9 ? m_timer1 : m_timer2)->isActive();
}

void PaymentScreen::activate(Routine)
{
    m_entry->clear();
    m_timer1->start();
    loadOpenAccounts();
}

void PaymentScreen::showMenu()
{
    stopBlinking(m_timer1);
    stopBlinking(m_timer2);
    m_navigator.show(ScreenId::MainMenu);
}

void PaymentScreen::loadOpenAccounts()
{
    m_current = -1;
    m_entry->setAccountChosen(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<ledger::OpenAccount> accounts = ledger::openAccounts(m_ctx.store, m_ctx.locale);
    QApplication::restoreOverrideCursor();
    m_model->setAccounts(std::move(accounts));
    if (m_model->rowCount() == 0) {
        m_ctx.prompt.message(QStringLiteral("There are No accounts with Outstanding Balances"),
                             QStringLiteral("No Open Accounts"));
        showMenu();
    }
}

void PaymentScreen::clearRowEntry()
{
    if (m_current >= 0 && m_current < m_model->rowCount()) {
        PaymentRow &r = m_model->row(m_current);
        r.selected = false;
        r.method.clear();
        r.date = QDate();
        m_model->rowChanged(m_current);
    }
    m_timer1->start();
}

void PaymentScreen::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_current = row;
    m_entry->setAccountChosen(true);
    PaymentRow &r = m_model->row(row);
    if (r.selected) {
        r.selected = false;
        m_model->rowChanged(row);
        m_entry->clear();
        clearRowEntry();
        return;
    }
    r.selected = true;
    m_model->rowChanged(row);
    const Money shown = m_model->shownAmount(row);
    if (shown <= Money()) {
        if (!m_ctx.prompt.ask(QStringLiteral("The Account does not have a Balance Due\nDo you want to post a payment "
                                             "anyway?"),
                              QStringLiteral("No Balanace")))
            return;
    } else {
        m_entry->offer(shown);
    }
    m_pointerGrid->hide();
    stopBlinking(m_timer1);
}

void PaymentScreen::paymentEntered(Money amount, const QString &method, const QDate &received)
{
    if (m_current < 0 || m_current >= m_model->rowCount())
        return;
    PaymentRow &r = m_model->row(m_current);
    r.method = method;
    r.date = received;
    r.entered = amount;
    m_model->rowChanged(m_current);
    bool anyUnselected = false;
    for (const PaymentRow &row : m_model->rows())
        anyUnselected = anyUnselected || !row.selected;
    (anyUnselected ? m_timer1 : m_timer2)->start();
}

void PaymentScreen::writePayments()
{
    if (!m_ctx.prompt.ask(QStringLiteral("Review yout entries\nClick Yes if correct"), QStringLiteral("Rewiew Entries"))) {
        m_entry->clear();
        clearRowEntry();
        return;
    }
    stopBlinking(m_timer2);
    m_pointerWrite->hide();
    std::vector<ledger::Payment> payments;
    for (const PaymentRow &r : m_model->rows()) {
        if (!r.date.isValid() || !r.entered)
            continue;
        payments.push_back(ledger::makePayment(r.account, *r.entered, r.method, r.date, m_ctx.locale));
    }
    if (FileResult w = ledger::writePayments(m_ctx.store, payments, m_ctx.clock.today(), m_ctx.locale); !w) {
        m_ctx.prompt.message(failureText(QStringLiteral("The payments could not be written"), w,
                                         QStringLiteral("None was written: they are still on the screen."),
                                         QStringLiteral("The disk did not confirm them; they will be completed when the "
                                                        "program next starts. Do not enter them again.")),
                             kAppTitle);
        return;
    }
    showMenu();
}

void PaymentScreen::purgeZeroBalances()
{
    // A row the user marked by hand with money on it is never deleted.
    QStringList purge;
    for (int i = 0; i < m_model->rowCount(); ++i) {
        PaymentRow &r = m_model->row(i);
        if (ledger::isPaidUp(r.account) && !r.entered) {
            r.selected = true;
            purge.append(r.account.ledgerFile);
            m_model->rowChanged(i);
        }
    }
    if (!m_ctx.prompt.ask(QStringLiteral("Are you Sure?"), QStringLiteral("Comfirm Purge")))
        return;
    if (FileResult r = ledger::purgeLedgers(m_ctx.store, purge); !r)
        m_ctx.prompt.message(failureText(QStringLiteral("The paid-up accounts could not be purged"), r,
                                         QStringLiteral("Every ledger is kept as it was.")),
                             kAppTitle);
    loadOpenAccounts();
}

bool PaymentScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        // Space or Enter on the current row chooses it, as a click does.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            selectRow(m_grid->currentIndex().row());
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

} // namespace ui
