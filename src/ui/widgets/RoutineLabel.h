#pragma once
// A routine on the main menu: it reads as a label, answers a click, and is
// reached with Tab and started with Enter, Return or Space.
#include <QPushButton>

namespace ui {

class RoutineLabel : public QPushButton {
    Q_OBJECT
public:
    RoutineLabel(const QString &caption, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace ui
