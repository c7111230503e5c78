#include "ui/shell/MainWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace ui {

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), m_stack(new QStackedWidget(this)), m_navigator(*m_stack, *this)
{
    setCentralWidget(m_stack);
    // A comfortable size for the forms, never larger than the screen leaves.
    QSize size(1180, 860);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.95);
    resize(size);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_ended && m_end) {
        m_ended = true;
        m_end();
    }
    event->accept();
}

} // namespace ui
