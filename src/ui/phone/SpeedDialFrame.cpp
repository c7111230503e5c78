#include "ui/phone/SpeedDialFrame.h"

#include "phone/Modem.h"

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

QPushButton *dialerCommand(QWidget *parent, const QString &objectName, const QString &caption, const QString &tip)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setAccessibleName(QString(caption).remove(u'&'));
    b->setAutoDefault(false);
    return b;
}

namespace {
QString speedButtonName(int slot, const QString &name)
{
    return name.isEmpty() ? QStringLiteral("Speed dial %1, empty").arg(slot + 1)
                          : QStringLiteral("Speed dial %1, %2").arg(slot + 1).arg(name);
}
const QString kAddTitle = QStringLiteral("Add Speed Dial Name and No.");
} // namespace

SpeedDialFrame::SpeedDialFrame(context::AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(buildButtons());
    v->addWidget(buildAddFrame());
}

QGroupBox *SpeedDialFrame::buildButtons()
{
    auto *frame = new QGroupBox(QStringLiteral("Speed Dialing"), this);
    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Click Empty Column to Add"), frame), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Click to Select and Dial"), frame), 1, 0, 1, 2);
    for (int i = 0; i < SpeedDial::kSlots; ++i) {
        auto *b = dialerCommand(frame, QStringLiteral("cmdDialer_%1").arg(i), QString());
        b->setAccessibleName(speedButtonName(i, QString()));
        b->setMinimumWidth(120);
        connect(b, &QPushButton::clicked, this, [this, i] { clicked(i); });
        m_buttons[size_t(i)] = b;
        grid->addWidget(b, 2 + i % 5, i / 5);
    }
    m_delete = dialerCommand(frame, QStringLiteral("cmdSpeedDialer_2"), QStringLiteral("Delete Selected Speed Dial &No"));
    connect(m_delete, &QPushButton::clicked, this, &SpeedDialFrame::remove);
    auto *restore = dialerCommand(frame, QStringLiteral("cmdSpeedDialer_3"), QStringLiteral("&Restore Original Call Recipient"));
    connect(restore, &QPushButton::clicked, this, &SpeedDialFrame::restoreRequested);
    grid->addWidget(m_delete, 7, 0, 1, 2);
    grid->addWidget(restore, 8, 0, 1, 2);
    m_delete->setEnabled(false);
    return frame;
}

QGroupBox *SpeedDialFrame::buildAddFrame()
{
    m_addFrame = new QGroupBox(kAddTitle, this);
    m_addFrame->setObjectName(QStringLiteral("fraSpeedDial"));
    auto *form = new QFormLayout(m_addFrame);
    auto *hint = new QLabel(QStringLiteral("Enter a Speed Dial Name and Number Click Save"), m_addFrame);
    hint->setWordWrap(true);
    form->addRow(hint);
    m_name = new QLineEdit(m_addFrame);
    m_name->setObjectName(QStringLiteral("txtDialer_0"));
    m_name->setAccessibleName(QStringLiteral("Speed dial name"));
    m_number = new QLineEdit(m_addFrame);
    m_number->setObjectName(QStringLiteral("txtDialer_1"));
    m_number->setAccessibleName(QStringLiteral("Speed dial number"));
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("Num&ber:"), m_number);
    auto *row = new QHBoxLayout;
    QPushButton *saveButton = dialerCommand(m_addFrame, QStringLiteral("cmdSpeedDialer_0"), QStringLiteral("&Save"),
                                      QStringLiteral("Saves this Data to the selected Speed dial"));
    QPushButton *cancelButton = dialerCommand(m_addFrame, QStringLiteral("cmdSpeedDialer_1"), QStringLiteral("Ca&ncel"));
    QPushButton *current = dialerCommand(m_addFrame, QStringLiteral("cmdSpeedDialer_4"), QStringLiteral("&Load Current Player"),
                                         QStringLiteral("Load Current Player to Above"));
    connect(saveButton, &QPushButton::clicked, this, &SpeedDialFrame::save);
    connect(cancelButton, &QPushButton::clicked, this, &SpeedDialFrame::cancel);
    connect(current, &QPushButton::clicked, this, &SpeedDialFrame::currentWanted);
    row->addWidget(saveButton);
    row->addWidget(cancelButton);
    row->addWidget(current);
    form->addRow(row);
    connect(m_name, &QLineEdit::returnPressed, this, &SpeedDialFrame::save);
    connect(m_number, &QLineEdit::returnPressed, this, &SpeedDialFrame::save);
    m_addFrame->hide();
    return m_addFrame;
}

void SpeedDialFrame::load()
{
    m_speed = loadSpeedNumbers(m_ctx.store);
    for (int i = 0; i < SpeedDial::kSlots; ++i) {
        QPushButton *b = m_buttons[size_t(i)];
        const QString &name = m_speed.names[size_t(i)];
        // A name is shown as it is: an "&" in it is a character, not a key.
        b->setText(QString(name).replace(u'&', QStringLiteral("&&")));
        b->setAccessibleName(speedButtonName(i, name));
        b->setToolTip(name.isEmpty() ? QStringLiteral("Click Empty Column to Add") : m_speed.numbers[size_t(i)]);
    }
    m_delete->setEnabled(false);
}

void SpeedDialFrame::clearSelection()
{
    m_delete->setEnabled(false);
}

void SpeedDialFrame::addEntry(const QString &name, const QString &number)
{
    m_name->setText(name);
    m_number->setText(number);
    save();
}

void SpeedDialFrame::clicked(int slot)
{
    m_selectedSlot = slot;
    Q_EMIT slotPressed();
    m_delete->setEnabled(false);
    if (m_speed.isFree(slot)) {
        m_addFrame->setTitle(kAddTitle + QStringLiteral(" (%1)").arg(slot + 1));
        m_addFrame->show();
        Q_EMIT sizeChanged();
        m_name->setFocus();
        return;
    }
    Q_EMIT entryChosen(m_speed.names[size_t(slot)], m_speed.numbers[size_t(slot)]);
    m_delete->setEnabled(true);
}

void SpeedDialFrame::save()
{
    const QString name = m_name->text().trimmed();
    const QString number = m_number->text().trimmed();
    if (name.isEmpty()) {
        m_ctx.prompt.message(QStringLiteral("Enter a Speed Dial Name and Number Click Save"), kAddTitle);
        m_name->setFocus();
        return;
    }
    if (!isDialable(number)) {
        m_ctx.prompt.message(notDialableText(number), kAddTitle);
        m_number->setFocus();
        return;
    }
    SpeedDial changed = m_speed;
    changed.names[size_t(m_selectedSlot)] = name;
    changed.numbers[size_t(m_selectedSlot)] = number;
    if (store::FileResult r = saveSpeedNumbers(m_ctx.store, changed); !r) {
        m_ctx.prompt.message(QStringLiteral("The speed dial list could not be saved (%1).").arg(r.error), kAddTitle);
        return;
    }
    load();
    cancel();
    m_buttons[size_t(m_selectedSlot)]->setFocus();
}

void SpeedDialFrame::cancel()
{
    m_name->clear();
    m_number->clear();
    m_addFrame->hide();
    Q_EMIT sizeChanged();
}

void SpeedDialFrame::remove()
{
    const QString name = m_speed.names[size_t(m_selectedSlot)];
    const bool yes = m_ctx.prompt.ask(QStringLiteral("This will delete SpeedDial entry  ") + name +
                                          QStringLiteral("\nAre you Sure"),
                                      QStringLiteral("Delete Speed Dial"));
    m_delete->setEnabled(false);
    if (!yes)
        return;
    SpeedDial changed = m_speed;
    changed.names[size_t(m_selectedSlot)].clear();
    changed.numbers[size_t(m_selectedSlot)].clear();
    if (store::FileResult r = saveSpeedNumbers(m_ctx.store, changed); !r)
        m_ctx.prompt.message(QStringLiteral("The speed dial list could not be saved (%1).").arg(r.error),
                             QStringLiteral("Delete Speed Dial"));
    load();
}

} // namespace ui
