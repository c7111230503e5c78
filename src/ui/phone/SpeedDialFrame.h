#pragma once
// The dialer's speed dial: ten buttons, each a saved name and number or
// free; a free one opens the frame to add an entry ("fraSpeedDial"), a
// used one hands its entry to the dialer to call. Deleting an entry and
// going back to the original recipient are its commands too.
#include "context/AppContext.h"
#include "phone/SpeedDial.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace ui {

class SpeedDialFrame : public QWidget {
    Q_OBJECT
public:
    SpeedDialFrame(context::AppContext &ctx, QWidget *parent = nullptr);

    // The entries as saved, on the buttons.
    void load();
    // No entry chosen: nothing to delete.
    void clearSelection();
    // "Load Current Player": the dialer's recipient put in the boxes and saved.
    void addEntry(const QString &name, const QString &number);

Q_SIGNALS:
    // A button was pressed: the dialer keeps its recipient to restore.
    void slotPressed();
    // A used button: its entry is the one to call.
    void entryChosen(const QString &name, const QString &number);
    void restoreRequested();
    // "Load Current Player" was pressed: the dialer answers with addEntry.
    void currentWanted();
    // The add frame opened or closed: the window fits itself again.
    void sizeChanged();

private:
    QGroupBox *buildButtons();
    QGroupBox *buildAddFrame();
    void clicked(int slot);
    void save();
    void cancel();
    void remove();

    context::AppContext &m_ctx;
    phone::SpeedDial m_speed;
    int m_selectedSlot = 0;
    std::array<QPushButton *, phone::SpeedDial::kSlots> m_buttons{};
    QPushButton *m_delete = nullptr;
    QGroupBox *m_addFrame = nullptr;  // fraSpeedDial
    QLineEdit *m_name = nullptr;      // txtDialer_0
    QLineEdit *m_number = nullptr;    // txtDialer_1
};

// A command of the dialer: its name, caption without "&" heard, no default.
QPushButton *dialerCommand(QWidget *parent, const QString &objectName, const QString &caption, const QString &tip = {});

} // namespace ui
