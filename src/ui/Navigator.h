#pragma once
// Shows one screen at a time in the main window: the screen before is
// deactivated, the new one brought to the front, the window titled with
// its caption, and the new one activated.
#include <QObject>
#include <QPointer>
#include <QStackedWidget>

#include "ui/Screen.h"

class Navigator : public QObject {
    Q_OBJECT
public:
    Navigator(QStackedWidget &stack, QWidget &window);

    void add(Screen *screen);
    // Takes a screen out for good (the start screen once it is left).
    void remove(Screen *screen);
    void show(Screen *screen);
    // A loaded screen by its form name ("frmSetup"), or null when the
    // program has no such screen.
    Screen *find(const QString &formName) const;
    Screen *current() const { return m_current; }

private:
    QStackedWidget &m_stack;
    QWidget &m_window;
    QPointer<Screen> m_current;
};
