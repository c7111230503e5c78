#include "ui/shell/Navigator.h"

namespace ui {

Navigator::Navigator(QStackedWidget &stack, QWidget &window) : m_stack(stack), m_window(window) {}

void Navigator::add(ScreenId id, Screen *screen)
{
    remove(id); // one screen per id: a second one takes the place of the first
    m_screens.insert(id, screen);
    m_stack.addWidget(screen);
}

void Navigator::remove(ScreenId id)
{
    Screen *screen = m_screens.take(id);
    if (!screen)
        return;
    if (screen == m_current)
        m_current = nullptr;
    m_stack.removeWidget(screen);
    screen->deleteLater();
}

bool Navigator::show(ScreenId id, Routine routine)
{
    Screen *screen = m_screens.value(id);
    if (!screen)
        return false;
    if (m_current && m_current != screen)
        m_current->deactivate();
    m_current = screen;
    m_stack.setCurrentWidget(screen);
    m_window.setWindowTitle(screen->caption());
    screen->activate(routine);
    return true;
}

} // namespace ui
