#include "ui/Navigator.h"

#include "ui/Screen.h"

Navigator::Navigator(QStackedWidget &stack, QWidget &window) : m_stack(stack), m_window(window) {}

void Navigator::add(Screen *screen)
{
    m_stack.addWidget(screen);
}

void Navigator::remove(Screen *screen)
{
    if (screen == m_current)
        m_current = nullptr;
    m_stack.removeWidget(screen);
    screen->deleteLater();
}

void Navigator::show(Screen *screen)
{
    if (!screen)
        return;
    if (m_current && m_current != screen)
        m_current->deactivate();
    m_current = screen;
    m_stack.setCurrentWidget(screen);
    m_window.setWindowTitle(screen->caption());
    screen->activate();
}

Screen *Navigator::find(const QString &formName) const
{
    for (int i = 0; i < m_stack.count(); ++i) {
        if (auto *s = qobject_cast<Screen *>(m_stack.widget(i)); s && s->objectName() == formName)
            return s;
    }
    return nullptr;
}
