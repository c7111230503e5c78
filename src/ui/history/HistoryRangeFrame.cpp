#include "ui/history/HistoryRangeFrame.h"

#include "base/Dates.h"
#include "base/FieldRoutines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace base;

namespace ui {

namespace {
// The account box: its list read before it opens.
class AccountBox : public QComboBox {
public:
    AccountBox(std::function<void()> beforeList, QWidget *parent) : QComboBox(parent), m_beforeList(std::move(beforeList)) {}
    void showPopup() override
    {
        m_beforeList();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_beforeList;
};
} // namespace

void AccountNumberModel::setNumbers(customers::AcctNoIndex numbers)
{
    beginResetModel();
    m_numbers = std::move(numbers);
    endResetModel();
}

int AccountNumberModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_numbers.count();
}

QVariant AccountNumberModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_numbers.count() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_numbers.number(index.row() + 1);
}

HistoryRangeFrame::HistoryRangeFrame(context::AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    auto *h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    auto *range = new QGroupBox(QStringLiteral("Date Range Selection"), this);
    auto *rg = new QGridLayout(range);
    auto picker = [&](int index, const QString &label) {
        auto *d = new QDateEdit(range);
        d->setObjectName(QStringLiteral("DTPicker1_%1").arg(index));
        d->setCalendarPopup(true);
        d->setDisplayFormat(dates::shortDatePattern(m_ctx.locale));
        auto *l = new QLabel(label, range);
        l->setBuddy(d);
        rg->addWidget(l, index, 0);
        rg->addWidget(d, index, 1);
        connect(d, &QDateEdit::dateChanged, this, [this, d] { dateChanged(d); });
        return d;
    };
    m_start = picker(0, QStringLiteral("From"));
    m_end = picker(1, QStringLiteral("To"));
    h->addWidget(range);

    auto *account = new QGroupBox(QStringLiteral("Account Selection"), this);
    auto *ag = new QGridLayout(account);
    m_accounts = new AccountBox([this] { readAccounts(); }, account);
    m_accounts->setObjectName(QStringLiteral("cboAccounts"));
    m_accounts->setEditable(true);
    m_accounts->setInsertPolicy(QComboBox::NoInsert);
    // Sized for an account number, not by measuring every one of the list.
    m_accounts->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_accounts->setMinimumContentsLength(14);
    m_accountNumbers = new AccountNumberModel(m_accounts);
    m_accounts->setModel(m_accountNumbers);
    // Typing completes from the list: it is read when the box is entered.
    m_accounts->installEventFilter(this);
    m_accounts->lineEdit()->installEventFilter(this);
    auto *acctLabel = new QLabel(QStringLiteral("Account No"), account);
    acctLabel->setBuddy(m_accounts);
    m_single = new QCheckBox(QStringLiteral("Display Single Account"), account);
    m_single->setObjectName(QStringLiteral("ckAccount"));
    connect(m_single, &QCheckBox::toggled, this, &HistoryRangeFrame::singleToggled);
    ag->addWidget(acctLabel, 0, 0);
    ag->addWidget(m_accounts, 0, 1);
    ag->addWidget(m_single, 1, 0, 1, 2);
    h->addWidget(account);
    h->addWidget(buildPeriods());
}

QWidget *HistoryRangeFrame::buildPeriods()
{
    auto *periods = new QGroupBox(QStringLiteral("Reports"), this);
    auto *pg = new QHBoxLayout(periods);
    const struct {
        const char *caption, *tip;
    } reports[] = {{"&L M", "Generates a Report for last Month"},
                   {"M&TD", "Generates a Report for this Month"},
                   {"&YTD", "Generates a Report for Current Year"},
                   {"&Eternity", "Generates a Report from 1990 to present day"}};
    for (int i = 0; i < 4; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(reports[i].caption), periods);
        b->setObjectName(QStringLiteral("cmdIncome_%1").arg(i));
        b->setToolTip(QString::fromLatin1(reports[i].tip));
        b->setAccessibleName(QString::fromLatin1(reports[i].tip));
        connect(b, &QPushButton::clicked, this, [this, i] {
            const auto [start, end] = history::reportPeriod(i, m_ctx.clock.today());
            setRange(start, end);
        });
        pg->addWidget(b);
    }
    return periods;
}

void HistoryRangeFrame::load(std::function<customers::AcctNoIndex()> read)
{
    m_readAccounts = std::move(read);
    if (m_accounts->hasFocus())
        readAccounts();
}

void HistoryRangeFrame::readAccounts() const
{
    if (!m_readAccounts)
        return;
    const QString shown = m_accounts->currentText();
    m_accountNumbers->setNumbers(std::exchange(m_readAccounts, nullptr)());
    m_accounts->setEditText(shown);
}

bool HistoryRangeFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        readAccounts();
    return QWidget::eventFilter(watched, event);
}

void HistoryRangeFrame::setQuietly(QDateEdit *edit, const QDate &date)
{
    m_settingRange = true;
    edit->setDate(date);
    m_settingRange = false;
}

void HistoryRangeFrame::setRange(const QDate &start, const QDate &end)
{
    m_settingRange = true;
    m_start->setDate(start);
    m_end->setDate(end);
    m_settingRange = false;
}

void HistoryRangeFrame::dateChanged(QDateEdit *edit)
{
    if (m_settingRange)
        return;
    const QDate today = m_ctx.clock.today();
    if (edit->date() > today) {
        m_ctx.prompt.beep();
        fields::showCalendarInvalid(m_ctx.prompt, context::kAppTitle);
        setQuietly(edit, today);
    }
    if (m_end->date() < m_start->date()) {
        fields::showCalendarInvalid(m_ctx.prompt, context::kAppTitle);
        setQuietly(m_end, m_start->date());
    }
}

history::HistoryFilter HistoryRangeFrame::filter() const
{
    history::HistoryFilter f{m_start->date(), m_end->date(), std::nullopt};
    if (m_single->isChecked())
        f.account = account();
    return f;
}

QDate HistoryRangeFrame::start() const
{
    return m_start->date();
}

QDate HistoryRangeFrame::end() const
{
    return m_end->date();
}

bool HistoryRangeFrame::single() const
{
    return m_single->isChecked();
}

QString HistoryRangeFrame::account() const
{
    return m_accounts->currentText().trimmed();
}

bool HistoryRangeFrame::isListed(const QString &account) const
{
    readAccounts();
    return m_accountNumbers->contains(account);
}

} // namespace ui
