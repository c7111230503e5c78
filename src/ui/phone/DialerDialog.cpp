#include "ui/phone/DialerDialog.h"
#include "ui/phone/SpeedDialFrame.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace phone;

namespace ui {

DialerDialog::DialerDialog(context::AppContext &ctx, const QString &name, const QString &number, QWidget *parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmDialer"));
    setWindowTitle(QStringLiteral("Call ..............."));
    setModal(true);
    setDialLimit(phone::kDialLimitMs);

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(buildCallFrame());
    left->addWidget(buildCommands());
    left->addStretch();
    top->addLayout(left, 3);
    auto *right = new QVBoxLayout;
    m_speedDial = new SpeedDialFrame(m_ctx, this);
    connect(m_speedDial, &SpeedDialFrame::slotPressed, this, [this] {
        m_savedName = m_name->text();
        m_savedNumber = m_number->text();
    });
    connect(m_speedDial, &SpeedDialFrame::entryChosen, this, &DialerDialog::setRecipient);
    connect(m_speedDial, &SpeedDialFrame::restoreRequested, this, [this] { setRecipient(m_savedName, m_savedNumber); });
    connect(m_speedDial, &SpeedDialFrame::sizeChanged, this, [this] { adjustSize(); });
    connect(m_speedDial, &SpeedDialFrame::currentWanted, this,
            [this] { m_speedDial->addEntry(m_name->text(), m_number->text()); });
    right->addWidget(m_speedDial);
    right->addStretch();
    top->addLayout(right, 2);
    layout->addLayout(top);
    layout->addWidget(buildHelpFrame());

    setRecipient(name, number);
    showDialer();
}

DialerDialog::~DialerDialog() = default;

void DialerDialog::setDialLimit(int msecs)
{
    // Made anew, so no wait of an earlier call runs on.
    m_call = std::make_unique<DialCall>(m_ctx.modem.line(), msecs);
    connect(m_call.get(), &DialCall::answered, this, &DialerDialog::onAnswered);
    connect(m_call.get(), &DialCall::timedOut, this, &DialerDialog::onTimedOut);
}

// Showing the dialer: ready to dial when the modem's port is open or can be
// opened; otherwise it says why and "&Dial" stays off.
void DialerDialog::showDialer()
{
    m_receiver->hide();
    const int port = m_ctx.settings.values().modemPort;
    m_modemText->setText(m_ctx.modem.statusText());
    m_portLabel->setText(m_ctx.modem.portLabel(port));
    readyToDial();
    const QString problem = m_ctx.modem.openForDialing(port);
    if (!problem.isEmpty()) {
        m_dial->setEnabled(false);
        m_status->setText(problem);
    }
    m_speedDial->load();
}

void DialerDialog::readyToDial()
{
    m_speedDial->clearSelection();
    m_dial->show();
    m_talk->hide();
    m_receiver->hide();
    m_status->setText(kReadyToDial);
}

void DialerDialog::setRecipient(const QString &name, const QString &number)
{
    m_name->setText(name);
    // With the prefix box checked a new number gets the prefix; a number
    // that starts with "1-" of its own keeps it either way.
    m_number->setText(m_prefix->isChecked() ? withPrefix(number, true) : number);
}

void DialerDialog::setPrefix(bool on)
{
    m_number->setText(withPrefix(m_number->text(), on));
}

void DialerDialog::dial()
{
    const QString number = m_number->text();
    const QString problem = m_call->dial(number);
    if (!problem.isEmpty()) {
        m_status->setText(problem);
        return;
    }
    m_dial->hide();
    m_status->setText(QStringLiteral("Dialing..... ") + number);
}

void DialerDialog::onAnswered()
{
    m_status->setText(kPickUp);
    m_receiver->show();
    m_talk->show();
    m_talk->setFocus();
}

void DialerDialog::onTimedOut()
{
    readyToDial();
    m_status->setText(noAnswerText());
}

void DialerDialog::talk()
{
    m_call->talk();
    readyToDial();
}

void DialerDialog::hangUp()
{
    m_call->stop();
    m_ctx.modem.hangUp();
    m_receiver->hide();
    QDialog::accept();
}

void DialerDialog::reject()
{
    hangUp();
}

void DialerDialog::closeEvent(QCloseEvent *event)
{
    // The close box ends the program, after the modem has let go.
    if (isVisible())
        m_endProgram = true;
    m_call->stop();
    m_ctx.modem.hangUp();
    event->accept();
}

void DialerDialog::toggleHelp()
{
    const bool show = m_helpFrame->isHidden();
    m_helpFrame->setVisible(show);
    m_help->setText(show ? QStringLiteral("Hide Help") : QStringLiteral("Show Help"));
    m_help->setAccessibleName(m_help->text().remove(u'&'));
    adjustSize();
}

} // namespace ui
