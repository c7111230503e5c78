#include "ui/payments/PaymentEntryFrame.h"

#include "base/Dates.h"
#include "ledger/PaymentEntry.h"
#include "ui/widgets/KeyFilter.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace base;

namespace ui {

namespace {
QPushButton *command(QWidget *parent, int index, const char *caption, const char *tip = nullptr)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QStringLiteral("cmdAuto_%1").arg(index));
    if (tip)
        b->setToolTip(QString::fromLatin1(tip));
    return b;
}
} // namespace

PaymentEntryFrame::PaymentEntryFrame(context::AppContext &ctx, QWidget *parent) : QGroupBox(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraEntry"));
    auto *entry = new QGridLayout(this);
    auto box = [&](const char *name, const char *label, int column) {
        auto *b = new QLineEdit(this);
        b->setObjectName(QString::fromLatin1(name));
        auto *l = new QLabel(QString::fromLatin1(label), this);
        l->setBuddy(b);
        entry->addWidget(l, 0, column);
        entry->addWidget(b, 1, column);
        return b;
    };
    m_amount = box("txtAmount", "Enter Amount Received", 0);
    m_amount->setAlignment(Qt::AlignRight);
    KeyFilter::install(m_amount, KeyFilter::Kind::Money, m_ctx.prompt, m_ctx.locale);
    m_amount->installEventFilter(this);
    m_checkNo = box("txtCheckNo", "Enter Customer Check No", 1);
    m_checkNo->setMaxLength(40);
    entry->addWidget(new QLabel(QStringLiteral("(Leave Blank if Cash)"), this), 2, 1);
    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("DTPicker1"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(dates::shortDatePattern(m_ctx.locale));
    auto *dateLabel = new QLabel(QStringLiteral("Select Date Received"), this);
    dateLabel->setBuddy(m_date);
    entry->addWidget(dateLabel, 0, 2);
    entry->addWidget(m_date, 1, 2);

    auto *enterColumn = new QVBoxLayout;
    enterColumn->addWidget(new QLabel(QStringLiteral("Click when Correct"), this));
    QPushButton *enter = command(this, 2, "Enter");
    QPushButton *redo = command(this, 3, "&Redo", "Redo Entries for this account");
    connect(enter, &QPushButton::clicked, this, &PaymentEntryFrame::enter);
    connect(redo, &QPushButton::clicked, this, [this] {
        clear();
        Q_EMIT redoRequested();
    });
    enterColumn->addWidget(enter);
    enterColumn->addWidget(redo);
    entry->addLayout(enterColumn, 0, 3, 3, 1);
    auto *clears = new QVBoxLayout;
    QPushButton *clearCheck = command(this, 4, "Clear &Ck #");
    QPushButton *clearAmount = command(this, 5, "Clear &Amt");
    connect(clearCheck, &QPushButton::clicked, this, [this] {
        Q_EMIT checkCleared();
        m_checkNo->clear();
        m_checkNo->setFocus();
    });
    connect(clearAmount, &QPushButton::clicked, this, [this] {
        m_amount->setText(Money().toCurrencyText(m_ctx.locale));
        m_amount->setFocus();
    });
    clears->addWidget(clearCheck);
    clears->addWidget(clearAmount);
    clears->addWidget(new QLabel(QStringLiteral("Select Next Account"), this));
    entry->addLayout(clears, 0, 4, 3, 1);
    entry->setColumnStretch(0, 1);
    entry->setColumnStretch(1, 1);
    entry->setHorizontalSpacing(18);
    entry->setVerticalSpacing(8);
    m_date->setDate(m_ctx.clock.today());
}

void PaymentEntryFrame::clear()
{
    m_checkNo->clear();
    m_amount->clear();
    m_date->setDate(m_ctx.clock.today());
}

void PaymentEntryFrame::offer(Money amount)
{
    m_amount->setText(amount.toCurrencyText(m_ctx.locale));
    m_checkNo->clear();
    m_checkNo->setFocus();
}

void PaymentEntryFrame::enter()
{
    const std::optional<Money> amount =
        m_amount->text().trimmed().isEmpty() ? std::nullopt : Money::parse(m_amount->text(), m_ctx.locale);
    if (!amount) {
        m_ctx.prompt.beep();
        m_amount->clear();
        m_amount->setFocus();
        return;
    }
    if (!m_accountChosen) {
        m_ctx.prompt.beep(); // no account chosen in the grid
        return;
    }
    if (const std::optional<QString> problem = ledger::paymentAmountProblem(*amount, m_ctx.locale)) {
        m_ctx.prompt.message(*problem, ledger::kInvalidAmountTitle);
        m_amount->setFocus();
        return;
    }
    if (m_checkNo->text().trimmed().isEmpty()
        && !m_ctx.prompt.ask(QStringLiteral("Was the Payment made in Cash?"), QStringLiteral("Payment Type"))) {
        m_checkNo->setFocus();
        return;
    }
    const QString method = ledger::paymentMethod(m_checkNo->text());
    const QDate received = m_date->date();
    clear();
    Q_EMIT paymentEntered(*amount, method, received);
}

bool PaymentEntryFrame::eventFilter(QObject *watched, QEvent *event)
{
    // While the box shows zero, typing replaces it; leaving it shows the
    // amount as currency.
    if (watched == m_amount) {
        if (event->type() == QEvent::KeyPress && m_amount->text() == Money().toCurrencyText(m_ctx.locale)
            && !static_cast<QKeyEvent *>(event)->text().isEmpty())
            m_amount->clear();
        if (event->type() == QEvent::FocusOut) {
            if (const std::optional<Money> m = Money::parse(m_amount->text(), m_ctx.locale))
                m_amount->setText(m->toCurrencyText(m_ctx.locale));
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace ui
