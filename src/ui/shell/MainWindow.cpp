#include "ui/shell/MainWindow.h"

#include <QCloseEvent>

namespace ui {

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), m_stack(new QStackedWidget(this)), m_navigator(*m_stack, *this)
{
    setCentralWidget(m_stack);
    resize(900, 640);
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
