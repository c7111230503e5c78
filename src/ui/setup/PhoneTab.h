#pragma once
// "Phone and Modem": the modem's port (from the ports this computer has),
// a daisy-chained telephone, caller ID, and "&Detect" to look for the modem
// again. Without a modem the settings are off and "&Detect" stays on, so
// the user can always look again.
#include "context/AppContext.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace ui {

class PhoneTab : public QWidget {
    Q_OBJECT
public:
    explicit PhoneTab(context::AppContext &ctx, QWidget *parent = nullptr);
    void fill();

private:
    void fillPorts(int port);
    void showDetection();
    void detect();

    context::AppContext &m_ctx;
    QComboBox *m_modemPort = nullptr;
    QPushButton *m_detect = nullptr;
    QLabel *m_modemStatus = nullptr;
    QCheckBox *m_daisyChain = nullptr;
    QCheckBox *m_callerId = nullptr;
    QLabel *m_callerIdNote = nullptr;
};

} // namespace ui
