#pragma once
// The program's one top-level window. Its screens are pages shown one at a
// time by the navigator; closing the window ends the program (with the
// backup) exactly once.
#include "ui/shell/Navigator.h"

#include <QMainWindow>
#include <QStackedWidget>
#include <functional>

namespace ui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

    Navigator &navigator() { return m_navigator; }
    // Runs when the window closes, before it goes.
    void setEndProgram(std::function<void()> end) { m_end = std::move(end); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QStackedWidget *m_stack; // owned by the window
    Navigator m_navigator;
    std::function<void()> m_end;
    bool m_ended = false;
};

} // namespace ui
