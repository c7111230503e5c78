#pragma once
// One screen of the program: a page of the main window with its caption.
// The navigator runs activate() each time the screen comes to the front
// (it re-reads its files there) and deactivate() when it goes.
#include <QString>
#include <QWidget>

class Screen : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual QString caption() const = 0;
    virtual void activate() {}
    virtual void deactivate() {}
};
