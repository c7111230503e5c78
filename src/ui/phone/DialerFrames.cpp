// The dialer's frames: the call, its commands and the help frame.
#include "ui/phone/DialerDialog.h"
#include "ui/phone/SpeedDialFrame.h"

#include "base/Prompt.h"
#include "ui/widgets/TelephonePicture.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace phone;

namespace ui {

namespace {

// A label that shows a value: a screen reader hears the value itself (a
// fixed name would be read instead of it), with what it is as description.
QLabel *valueLabel(QWidget *parent, const QString &objectName, const QString &description)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setAccessibleDescription(description);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setWordWrap(true);
    return label;
}

} // namespace

QWidget *DialerDialog::buildCallFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("Customer that you are Calling"), this);
    auto *form = new QFormLayout(frame);
    m_modemText = valueLabel(frame, QStringLiteral("Text1"), QStringLiteral("Modem"));
    m_portLabel = valueLabel(frame, QStringLiteral("lblPort"), QStringLiteral("Modem port"));
    form->addRow(m_modemText);
    form->addRow(m_portLabel);
    m_name = valueLabel(frame, QStringLiteral("lblName"), QStringLiteral("Name being called"));
    m_number = valueLabel(frame, QStringLiteral("lblNumber"), QStringLiteral("Number being called"));
    QFont big = m_name->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    m_name->setFont(big);
    m_number->setFont(big);
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("Number:"), m_number);
    m_prefix = new QCheckBox(QStringLiteral("Dial a Prefix  1-"), frame);
    m_prefix->setObjectName(QStringLiteral("ckDial1"));
    m_prefix->setToolTip(QStringLiteral("Click for Long Distance Calls"));
    connect(m_prefix, &QCheckBox::toggled, this, &DialerDialog::setPrefix);
    form->addRow(m_prefix);

    auto *statusRow = new QHBoxLayout;
    m_status = valueLabel(frame, QStringLiteral("lblStatus"), QStringLiteral("Dailing Status"));
    m_status->setMinimumWidth(260);
    auto *statusCaption = new QLabel(QStringLiteral("Dailing Status"), frame);
    statusCaption->setBuddy(m_status);
    m_receiver = new QLabel(frame);
    m_receiver->setObjectName(QStringLiteral("Image2"));
    m_receiver->setPixmap(telephoneIcon().pixmap(40, 40));
    m_receiver->setToolTip(QStringLiteral("Pick up the receiver"));
    m_receiver->setAccessibleName(QStringLiteral("Pick up the receiver"));
    statusRow->addWidget(m_status, 1);
    statusRow->addWidget(m_receiver);
    form->addRow(statusCaption, statusRow);
    return frame;
}

QWidget *DialerDialog::buildCommands()
{
    auto *row = new QWidget(this);
    auto *layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_dial = dialerCommand(row, QStringLiteral("cmdNewDial"), QStringLiteral("&Dial"));
    // No default button: Enter in a speed-dial box saves the entry and must
    // not dial as well.
    connect(m_dial, &QPushButton::clicked, this, &DialerDialog::dial);
    m_talk = dialerCommand(row, QStringLiteral("cmdCancel"), QStringLiteral("Pick up the receiver then &Click to Talk"),
                     QStringLiteral("Disconnect the Call"));
    connect(m_talk, &QPushButton::clicked, this, &DialerDialog::talk);
    m_hangUp = dialerCommand(row, QStringLiteral("cmdHangup"), QStringLiteral("D&isconnect/Cancel"),
                       QStringLiteral("Return to previous Screen"));
    connect(m_hangUp, &QPushButton::clicked, this, &DialerDialog::hangUp);
    m_help = dialerCommand(row, QStringLiteral("cmdHelp"), QStringLiteral("Show Help"));
    connect(m_help, &QPushButton::clicked, this, &DialerDialog::toggleHelp);
    // "&Dial" and the talk button share a place; the row keeps its shape
    // while either is hidden.
    for (QPushButton *b : {m_dial, m_talk}) {
        QSizePolicy policy = b->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        b->setSizePolicy(policy);
    }
    layout->addWidget(m_dial, 0, 0);
    layout->addWidget(m_talk, 0, 0);
    layout->addWidget(m_hangUp, 0, 1);
    layout->addWidget(m_help, 1, 1);
    return row;
}

QGroupBox *DialerDialog::buildHelpFrame()
{
    m_helpFrame = new QGroupBox(QStringLiteral("Help!"), this);
    m_helpFrame->setObjectName(QStringLiteral("fraHelp"));
    auto *layout = new QVBoxLayout(m_helpFrame);
    const char *const lines[] = {
        "Connect Your Computers Modem to the Telephone Wall Outlet",
        "Daisy-Chain a Telephone downstream from your Computers Modem",
        "Customers Name and Number were loaded Automatically",
        "Or Select from Speed Dial",
        "Click the Dial Button",
        "Click the Pick up the receiver Button",
        "Talk -------------",
        "You can add anyone to the Speed Dial names and numbers",
        "Not all MODEMS can perform dialing operations. Some UPS Units may use the same port as your modem and a "
        "dialing error may occur.",
    };
    auto *title = new QLabel(QStringLiteral("Hints"), m_helpFrame);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    for (const char *line : lines) {
        auto *label = new QLabel(QString::fromLatin1(line), m_helpFrame);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    m_helpFrame->hide();
    return m_helpFrame;
}

} // namespace ui
