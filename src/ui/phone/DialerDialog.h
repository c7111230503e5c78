#pragma once
// The dialer (frmDialer): dials the customer handed in, or a speed-dial
// entry, through the modem; the user picks up the daisy-chained telephone
// and talks. Shown modally from the customer screen; leaving it hangs up
// and closes the modem's port. The speed dial is a frame of its own
// (SpeedDialFrame.h).
#include "context/AppContext.h"
#include "phone/Modem.h"
#include "phone/SpeedDial.h"

#include <QDialog>
#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class SpeedDialFrame;

class DialerDialog : public QDialog {
    Q_OBJECT
public:
    DialerDialog(context::AppContext &ctx, const QString &name, const QString &number, QWidget *parent = nullptr);
    ~DialerDialog() override;

    // The window's close box was used: the program is to end, as it does
    // from every screen's close box.
    bool endProgramAsked() const { return m_endProgram; }

    // The modem's answer limit, shorter in tests.
    void setDialLimit(int msecs);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Escape leaves as "D&isconnect/Cancel" does.
    void reject() override;

private:
    QWidget *buildCallFrame();
    QWidget *buildCommands();
    QGroupBox *buildHelpFrame();

    void showDialer();
    void readyToDial();
    void dial();
    void onAnswered();
    void onTimedOut();
    void talk();
    void hangUp();
    void setPrefix(bool on);
    void setRecipient(const QString &name, const QString &number);

    void toggleHelp();

    context::AppContext &m_ctx;
    std::unique_ptr<phone::DialCall> m_call;
    QString m_savedName;
    QString m_savedNumber;
    bool m_endProgram = false;

    QLabel *m_modemText = nullptr;  // Text1
    QLabel *m_portLabel = nullptr;
    QLabel *m_name = nullptr;       // lblName
    QLabel *m_number = nullptr;     // lblNumber
    QLabel *m_status = nullptr;     // lblStatus
    QLabel *m_receiver = nullptr;   // Image2
    QCheckBox *m_prefix = nullptr;  // ckDial1
    QPushButton *m_dial = nullptr;  // cmdNewDial
    QPushButton *m_talk = nullptr;  // cmdCancel
    QPushButton *m_hangUp = nullptr;
    QPushButton *m_help = nullptr;
    SpeedDialFrame *m_speedDial = nullptr;
    QGroupBox *m_helpFrame = nullptr;  // fraHelp
};

} // namespace ui
