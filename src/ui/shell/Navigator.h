#pragma once
// Shows one screen at a time in the main window: the screen before is
// deactivated, the new one brought to the front, the window titled with
// its caption, and the new one activated with the routine that asked.
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStackedWidget>

#include "ui/shell/Screen.h"

namespace ui {

class Navigator : public QObject {
    Q_OBJECT
public:
    Navigator(QStackedWidget &stack, QWidget &window);

    // The navigator's stack owns the screen from here on.
    void add(ScreenId id, Screen *screen);
    // Takes a screen out for good (the start screen once it is left).
    void remove(ScreenId id);
    // False, and nothing changes, when the program has no such screen.
    // `chosenRecord`: the customer record the screen is shown for, where one
    // was chosen (the contract screen's customer); 0 for none.
    bool show(ScreenId id, Routine routine = Routine::None, int chosenRecord = 0);
    bool has(ScreenId id) const { return m_screens.contains(id); }
    Screen *current() const { return m_current; }
    // Said after every screen's caption in the window title (the sample
    // business says so, so nobody takes it for their own data).
    void setTitleSuffix(const QString &suffix);

private:
    QWidget *pageOf(Screen *screen) const;
    QStackedWidget &m_stack;
    QWidget &m_window;
    QMap<ScreenId, QPointer<Screen>> m_screens;
    QPointer<Screen> m_current;
    QString m_titleSuffix;
};

} // namespace ui
