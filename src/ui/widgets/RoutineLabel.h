#pragma once
// A routine on the home page: a large button with its picture and
// caption; it answers a click, and is reached with Tab and started with
// Enter, Return or Space.
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
