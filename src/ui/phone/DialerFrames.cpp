// The dialer's frames: the call, its commands, the speed-dial buttons and
// frame, the help frame; and the speed-dial commands.
#include "ui/phone/DialerDialog.h"

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

QPushButton *command(QWidget *parent, const QString &objectName, const QString &caption, const QString &tip = {})
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setAccessibleName(QString(caption).remove(u'&'));
    b->setAutoDefault(false);
    return b;
}

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

QString speedButtonName(int slot, const QString &name)
{
    return name.isEmpty() ? QStringLiteral("Speed dial %1, empty").arg(slot + 1)
                          : QStringLiteral("Speed dial %1, %2").arg(slot + 1).arg(name);
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
    m_dial = command(row, QStringLiteral("cmdNewDial"), QStringLiteral("&Dial"));
    // No default button: Enter in a speed-dial box saves the entry and must
    // not dial as well.
    connect(m_dial, &QPushButton::clicked, this, &DialerDialog::dial);
    m_talk = command(row, QStringLiteral("cmdCancel"), QStringLiteral("Pick up the receiver then &Click to Talk"),
                     QStringLiteral("Disconnect the Call"));
    connect(m_talk, &QPushButton::clicked, this, &DialerDialog::talk);
    m_hangUp = command(row, QStringLiteral("cmdHangup"), QStringLiteral("D&isconnect/Cancel"),
                       QStringLiteral("Return to previous Screen"));
    connect(m_hangUp, &QPushButton::clicked, this, &DialerDialog::hangUp);
    m_help = command(row, QStringLiteral("cmdHelp"), QStringLiteral("Show Help"));
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

QGroupBox *DialerDialog::buildSpeedDialButtons()
{
    auto *frame = new QGroupBox(QStringLiteral("Speed Dialing"), this);
    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Click Empty Column to Add"), frame), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Click to Select and Dial"), frame), 1, 0, 1, 2);
    for (int i = 0; i < SpeedDial::kSlots; ++i) {
        auto *b = command(frame, QStringLiteral("cmdDialer_%1").arg(i), QString());
        b->setAccessibleName(speedButtonName(i, QString()));
        b->setMinimumWidth(120);
        connect(b, &QPushButton::clicked, this, [this, i] { speedDialClicked(i); });
        m_speedButtons[size_t(i)] = b;
        grid->addWidget(b, 2 + i % 5, i / 5);
    }
    m_speedCommands[2] = command(frame, QStringLiteral("cmdSpeedDialer_2"), QStringLiteral("Delete Selected Speed Dial &No"));
    connect(m_speedCommands[2], &QPushButton::clicked, this, &DialerDialog::deleteSpeedDial);
    m_speedCommands[3] = command(frame, QStringLiteral("cmdSpeedDialer_3"), QStringLiteral("&Restore Original Call Recipient"));
    connect(m_speedCommands[3], &QPushButton::clicked, this, &DialerDialog::restoreRecipient);
    grid->addWidget(m_speedCommands[2], 7, 0, 1, 2);
    grid->addWidget(m_speedCommands[3], 8, 0, 1, 2);
    return frame;
}

QGroupBox *DialerDialog::buildSpeedDialFrame()
{
    m_speedFrame = new QGroupBox(QStringLiteral("Add Speed Dial Name and No."), this);
    m_speedFrame->setObjectName(QStringLiteral("fraSpeedDial"));
    auto *form = new QFormLayout(m_speedFrame);
    auto *hint = new QLabel(QStringLiteral("Enter a Speed Dial Name and Number Click Save"), m_speedFrame);
    hint->setWordWrap(true);
    form->addRow(hint);
    m_speedName = new QLineEdit(m_speedFrame);
    m_speedName->setObjectName(QStringLiteral("txtDialer_0"));
    m_speedName->setAccessibleName(QStringLiteral("Speed dial name"));
    m_speedNumber = new QLineEdit(m_speedFrame);
    m_speedNumber->setObjectName(QStringLiteral("txtDialer_1"));
    m_speedNumber->setAccessibleName(QStringLiteral("Speed dial number"));
    form->addRow(QStringLiteral("&Name:"), m_speedName);
    form->addRow(QStringLiteral("Num&ber:"), m_speedNumber);
    auto *row = new QHBoxLayout;
    m_speedCommands[0] = command(m_speedFrame, QStringLiteral("cmdSpeedDialer_0"), QStringLiteral("&Save"),
                                 QStringLiteral("Saves this Data to the selected Speed dial"));
    connect(m_speedCommands[0], &QPushButton::clicked, this, &DialerDialog::saveSpeedDial);
    m_speedCommands[1] = command(m_speedFrame, QStringLiteral("cmdSpeedDialer_1"), QStringLiteral("Ca&ncel"));
    connect(m_speedCommands[1], &QPushButton::clicked, this, &DialerDialog::cancelSpeedDial);
    m_speedCommands[4] = command(m_speedFrame, QStringLiteral("cmdSpeedDialer_4"), QStringLiteral("&Load Current Player"),
                                 QStringLiteral("Load Current Player to Above"));
    connect(m_speedCommands[4], &QPushButton::clicked, this, &DialerDialog::loadCurrentPlayer);
    row->addWidget(m_speedCommands[0]);
    row->addWidget(m_speedCommands[1]);
    row->addWidget(m_speedCommands[4]);
    form->addRow(row);
    connect(m_speedName, &QLineEdit::returnPressed, this, &DialerDialog::saveSpeedDial);
    connect(m_speedNumber, &QLineEdit::returnPressed, this, &DialerDialog::saveSpeedDial);
    m_speedFrame->hide();
    return m_speedFrame;
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

// ---- Speed dial --------------------------------------------------------------

void DialerDialog::loadSpeedNumbers()
{
    m_speed = phone::loadSpeedNumbers(m_ctx.store);
    for (int i = 0; i < SpeedDial::kSlots; ++i) {
        QPushButton *b = m_speedButtons[size_t(i)];
        const QString &name = m_speed.names[size_t(i)];
        // A name is shown as it is: an "&" in it is a character, not a key.
        b->setText(QString(name).replace(u'&', QStringLiteral("&&")));
        b->setAccessibleName(speedButtonName(i, name));
        b->setToolTip(name.isEmpty() ? QStringLiteral("Click Empty Column to Add")
                                     : m_speed.numbers[size_t(i)]);
    }
}

void DialerDialog::speedDialClicked(int slot)
{
    m_selectedSlot = slot;
    m_savedName = m_name->text();
    m_savedNumber = m_number->text();
    m_speedCommands[2]->setEnabled(false);
    if (m_speed.isFree(slot)) {
        m_speedFrame->setTitle(QStringLiteral("Add Speed Dial Name and No.") +
                               QStringLiteral(" (%1)").arg(slot + 1));
        m_speedFrame->show();
        adjustSize();
        m_speedName->setFocus();
        return;
    }
    setRecipient(m_speed.names[size_t(slot)], m_speed.numbers[size_t(slot)]);
    m_speedCommands[2]->setEnabled(true);
}

void DialerDialog::saveSpeedDial()
{
    const QString name = m_speedName->text().trimmed();
    const QString number = m_speedNumber->text().trimmed();
    if (name.isEmpty()) {
        m_ctx.prompt.message(QStringLiteral("Enter a Speed Dial Name and Number Click Save"),
                             QStringLiteral("Add Speed Dial Name and No."));
        m_speedName->setFocus();
        return;
    }
    if (!isDialable(number)) {
        m_ctx.prompt.message(notDialableText(number), QStringLiteral("Add Speed Dial Name and No."));
        m_speedNumber->setFocus();
        return;
    }
    SpeedDial changed = m_speed;
    changed.names[size_t(m_selectedSlot)] = name;
    changed.numbers[size_t(m_selectedSlot)] = number;
    if (store::FileResult r = saveSpeedNumbers(m_ctx.store, changed); !r) {
        m_ctx.prompt.message(QStringLiteral("The speed dial list could not be saved (%1).").arg(r.error),
                             QStringLiteral("Add Speed Dial Name and No."));
        return;
    }
    loadSpeedNumbers();
    cancelSpeedDial();
    m_speedButtons[size_t(m_selectedSlot)]->setFocus();
}

void DialerDialog::cancelSpeedDial()
{
    m_speedName->clear();
    m_speedNumber->clear();
    m_speedFrame->hide();
    adjustSize();
}

void DialerDialog::deleteSpeedDial()
{
    const QString name = m_speed.names[size_t(m_selectedSlot)];
    const bool yes = m_ctx.prompt.ask(QStringLiteral("This will delete SpeedDial entry  ") + name +
                                          QStringLiteral("\nAre you Sure"),
                                      QStringLiteral("Delete Speed Dial"));
    m_speedCommands[2]->setEnabled(false);
    if (!yes)
        return;
    SpeedDial changed = m_speed;
    changed.names[size_t(m_selectedSlot)].clear();
    changed.numbers[size_t(m_selectedSlot)].clear();
    if (store::FileResult r = saveSpeedNumbers(m_ctx.store, changed); !r)
        m_ctx.prompt.message(QStringLiteral("The speed dial list could not be saved (%1).").arg(r.error),
                             QStringLiteral("Delete Speed Dial"));
    loadSpeedNumbers();
}

void DialerDialog::restoreRecipient()
{
    setRecipient(m_savedName, m_savedNumber);
}

void DialerDialog::loadCurrentPlayer()
{
    m_speedName->setText(m_name->text());
    m_speedNumber->setText(m_number->text());
    saveSpeedDial();
}

} // namespace ui
