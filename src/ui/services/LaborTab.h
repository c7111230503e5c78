#pragma once
// The services screen's "Labor Rates" tab: up to three labour headings with
// their hourly rates, read from and written to the labour file directly.
#include "context/AppContext.h"

#include <QWidget>
#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace ui {

class LaborTab : public QWidget {
    Q_OBJECT
public:
    // The boxes show what is on file, so that a save never blanks a
    // heading the user did not see.
    explicit LaborTab(context::AppContext &ctx, QWidget *parent = nullptr);

Q_SIGNALS:
    void saved();

private:
    QPushButton *command(int index, const char *caption, const char *tip, std::function<void()> run);
    void clearBoxes();
    void load();
    void save();

    context::AppContext &m_ctx;
    std::array<QLineEdit *, 3> m_heading{};
    std::array<QLineEdit *, 3> m_rate{};
    QPushButton *m_reload = nullptr;
};

} // namespace ui
