#include "ui/setup/PhoneTab.h"

#include "phone/Modem.h"
#include "ui/widgets/Note.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace setup;

namespace ui {

PhoneTab::PhoneTab(context::AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    auto *grid = new QGridLayout(this);
    grid->setColumnStretch(3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Modem is connected to"), this), 0, 0, 1, 4);
    m_modemPort = new QComboBox(this);
    m_modemPort->setObjectName(QStringLiteral("txtModemPort"));
    m_modemPort->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto *portLabel = new QLabel(QStringLiteral("COM Port #"), this);
    portLabel->setBuddy(m_modemPort);
    connect(m_modemPort, &QComboBox::activated, this, [this](int index) {
        const int port = m_modemPort->itemData(index).toInt();
        m_ctx.settings.edit([&](BusinessValues &v) { v.modemPort = std::int16_t(port); });
    });
    m_detect = new QPushButton(QStringLiteral("&Detect"), this);
    m_detect->setObjectName(QStringLiteral("cmdDetectModem"));
    m_detect->setToolTip(QStringLiteral("Looks for a modem on every serial port of this computer"));
    m_detect->setAccessibleName(QStringLiteral("Detect the modem"));
    connect(m_detect, &QPushButton::clicked, this, &PhoneTab::detect);
    grid->addWidget(portLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(m_modemPort, 1, 1);
    grid->addWidget(m_detect, 1, 2);
    m_modemStatus = new QLabel(this);
    m_modemStatus->setObjectName(QStringLiteral("lblModemStatus"));
    // The status itself is what a screen reader reads out.
    m_modemStatus->setAccessibleDescription(QStringLiteral("Modem status"));
    m_modemStatus->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    grid->addWidget(m_modemStatus, 2, 1, 1, 3);

    m_daisyChain = new QCheckBox(QStringLiteral("A Phone is Daisy-Chained  downstream from the Computer"), this);
    m_daisyChain->setObjectName(QStringLiteral("ckPhone"));
    m_daisyChain->setToolTip(QStringLiteral("Check if a phone is Daisy-chained to your computer"));
    connect(m_daisyChain, &QCheckBox::toggled, this,
            [this](bool on) { m_ctx.settings.edit([&](BusinessValues &v) { v.phoneDaisyChained = on; }); });
    grid->addWidget(m_daisyChain, 3, 0, 1, 4);
    grid->addWidget(note(QStringLiteral("(Used to auto-dial Customers, Technicians, etc)"), this), 4, 0, 1, 4);

    m_callerId = new QCheckBox(QStringLiteral("Using Caller ID"), this);
    m_callerId->setObjectName(QStringLiteral("ckCallerID"));
    m_callerIdNote = note(QStringLiteral("Modem Supports Caller ID  Check with your Phone Co for support for this feature"), this);
    m_callerIdNote->setObjectName(QStringLiteral("lblCallid"));
    connect(m_callerId, &QCheckBox::toggled, this, [this](bool on) {
        m_callerIdNote->setVisible(on);
        m_ctx.settings.edit([&](BusinessValues &v) { v.callerIdEnabled = on; });
    });
    grid->addWidget(m_callerId, 5, 0, 1, 4);
    grid->addWidget(m_callerIdNote, 6, 0, 1, 4);
    grid->setRowStretch(7, 1);
    connect(&m_ctx.modem, &phone::Modem::detectionChanged, this, &PhoneTab::fill);
}

void PhoneTab::fill()
{
    const BusinessValues v = m_ctx.settings.values();
    fillPorts(v.modemPort);
    m_daisyChain->setChecked(v.phoneDaisyChained);
    m_callerId->setChecked(v.callerIdEnabled);
    m_callerIdNote->setVisible(v.callerIdEnabled);
    showDetection();
}

// The ports this computer has, each with its device, and the saved port
// kept in the list even when its device is gone (a modem unplugged).
void PhoneTab::fillPorts(int port)
{
    const phone::Modem &modem = m_ctx.modem;
    m_modemPort->clear();
    m_modemPort->addItem(QStringLiteral("None"), 0);
    for (int p = 1; p <= modem.ports().count(); ++p)
        m_modemPort->addItem(QStringLiteral("%1  (%2)").arg(p).arg(modem.ports().device(p)), p);
    if (port > modem.ports().count())
        m_modemPort->addItem(QStringLiteral("%1  (not on this computer now)").arg(port), port);
    m_modemPort->setCurrentIndex(std::max(0, m_modemPort->findData(port)));
}

// Without a modem the telephone settings are off, all but "&Detect".
void PhoneTab::showDetection()
{
    const phone::Modem &modem = m_ctx.modem;
    const bool found = modem.found();
    QString status = modem.statusText();
    if (!found)
        status += modem.ports().count() == 0
                      ? QStringLiteral("  No serial port was found on this computer.")
                      : QStringLiteral("  Serial ports on this computer: %1.").arg(modem.ports().count());
    m_modemStatus->setText(status);
    m_modemPort->setEnabled(found);
    m_daisyChain->setEnabled(found);
    m_callerId->setEnabled(found);
}

void PhoneTab::detect()
{
    phone::Modem &modem = m_ctx.modem;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    modem.relist();
    const int port = modem.detect(phone::allPorts(modem.ports()));
    QApplication::restoreOverrideCursor();
    if (port > 0)
        m_ctx.settings.edit([&](BusinessValues &v) { v.modemPort = std::int16_t(port); });
    fill();
}

} // namespace ui
