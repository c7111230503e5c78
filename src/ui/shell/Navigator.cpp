#include "ui/shell/Navigator.h"

#include <QScrollArea>

namespace ui {

Navigator::Navigator(QStackedWidget &stack, QWidget &window) : m_stack(stack), m_window(window) {}

void Navigator::add(ScreenId id, Screen *screen)
{
    remove(id); // one screen per id: a second one takes the place of the first
    m_screens.insert(id, screen);
    // Each screen sits in a scroll area: in a window smaller than the screen
    // needs, it scrolls instead of squashing or cutting off its controls.
    auto *page = new QScrollArea(&m_stack);
    page->setFrameShape(QFrame::NoFrame);
    page->setWidgetResizable(true);
    page->setWidget(screen);
    m_stack.addWidget(page);
}

QWidget *Navigator::pageOf(Screen *screen) const
{
    for (int i = 0; i < m_stack.count(); ++i) {
        if (auto *page = qobject_cast<QScrollArea *>(m_stack.widget(i)); page && page->widget() == screen)
            return page;
    }
    return nullptr;
}

void Navigator::remove(ScreenId id)
{
    Screen *screen = m_screens.take(id);
    if (!screen)
        return;
    if (screen == m_current)
        m_current = nullptr;
    if (QWidget *page = pageOf(screen)) {
        m_stack.removeWidget(page);
        page->deleteLater(); // and the screen with it
    }
}

void Navigator::setTitleSuffix(const QString &suffix)
{
    m_titleSuffix = suffix;
    if (m_current)
        m_window.setWindowTitle(m_current->caption() + m_titleSuffix);
}

bool Navigator::show(ScreenId id, Routine routine, int chosenRecord)
{
    Screen *screen = m_screens.value(id);
    if (!screen)
        return false;
    if (m_current && m_current != screen)
        m_current->deactivate();
    m_current = screen;
    m_stack.setCurrentWidget(pageOf(screen));
    m_window.setWindowTitle(screen->caption() + m_titleSuffix);
    screen->activate(routine, chosenRecord);
    return true;
}

} // namespace ui
