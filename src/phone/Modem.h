#pragma once
// The modem dialogue: finding the modem, dialling a voice call, hanging up.
//
// Commands end with a carriage return and nothing else. A reply is
// recognised by "OK" anywhere in what was read (during the presence probe,
// by any two characters at all). The screens only show what happens here.
#include "phone/SerialLine.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

namespace phone {

inline const QByteArray kProbe = QByteArrayLiteral("AT\r");
inline const QByteArray kCallerIdOn = QByteArrayLiteral("AT#CID=1\r");
inline const QByteArray kHangUp = QByteArrayLiteral("ATH\r");

inline const QString kNotDetected = QStringLiteral("Modem Not Detected Or In Use.");
inline const QString kReadyToDial = QStringLiteral("Ready to Dial......");
inline const QString kPickUp = QStringLiteral("Pickup Receiver - Then Click Hangup");

// How long the probe waits for a port to answer "AT": a modem answers in a
// few milliseconds, so a port silent this long has no modem on it.
inline constexpr int kProbeWaitMs = 150;
// No further port is tried at start once this much time has gone by, so a
// start never waits on the probe much more than a second.
inline constexpr int kStartProbeBudgetMs = 900;
// How long a dial waits for the modem's "OK" before giving up.
inline constexpr int kDialLimitMs = 60000;

// A number may reach the modem only when it holds nothing but digits,
// blanks and * # , - ( ): anything else (a carriage return, a semicolon,
// letters) could turn a stored telephone text into a modem command.
bool isDialable(const QString &number);
// The "1-" long-distance prefix put on or taken off, never doubled.
QString withPrefix(const QString &number, bool on);
// "ATDT" + number + ";" + CR: tone dial and stay in command mode (voice).
QByteArray dialCommand(const QString &number);

// The ports the start-up probe tries: the saved port alone when there is
// one; every port when a telephone is daisy-chained and no port is saved
// yet; none otherwise (nothing is written to a port nobody asked about).
QList<int> startProbePorts(const SerialPorts &ports, int savedPort, bool daisyChained);
// Every port, for the user's own "Detect".
QList<int> allPorts(const SerialPorts &ports);

// The modem as the program knows it: the line, the ports and the outcome of
// the last detection. One object for the whole run; the line it holds is
// left open after detection, as the dialer finds it.
class Modem : public QObject {
    Q_OBJECT
public:
    // Where the ports come from: the system's list in the program, a
    // pseudo-terminal in tests. Asked at construction and at relist().
    using PortLister = std::function<SerialPorts()>;

    Modem(std::unique_ptr<SerialLine> line, PortLister lister);
    ~Modem() override;

    SerialLine &line() { return *m_line; }
    const SerialPorts &ports() const { return m_ports; }
    void setPortLister(PortLister lister);
    // Asks for the ports again (a modem plugged in since the start).
    void relist();

    // Probes the given ports in turn: opens each, writes "AT", waits up to
    // perPortMs for two characters; the first that answers is the modem.
    // A port that cannot be opened is passed over. No port is begun once
    // budgetMs (when above 0) has gone by. When found, caller identification
    // is switched on ("AT#CID=1") and the line stays open. Returns the port
    // found, 0 for none.
    int detect(const QList<int> &candidates, int perPortMs = kProbeWaitMs, int budgetMs = 0);

    bool found() const { return m_port > 0; }
    int port() const { return m_port; }
    // "Your Modem Comm Port Is 3." or "Modem Not Detected Or In Use.".
    QString statusText() const;
    // "COM Port # 3" with the device beside it, so the user knows which.
    QString portLabel(int port) const;

    // Opens the line on the port for dialling unless it is open already.
    // Empty when the line is ready, otherwise what the user is told.
    QString openForDialing(int port);
    // "ATH", then the line closed.
    void hangUp();

Q_SIGNALS:
    void detectionChanged();

private:
    bool probe(const QString &device, int waitMs);

    std::unique_ptr<SerialLine> m_line;
    PortLister m_lister;
    SerialPorts m_ports;
    int m_port = 0;
};

// One voice call: the dial, the wait for the modem's "OK" (event-driven,
// with a time limit) and the talk. Made by the dialer for as long as it is
// shown; destroying it ends any wait, so nothing runs on after the dialer
// has gone.
class DialCall : public QObject {
    Q_OBJECT
public:
    enum class State { Ready, Dialing, Talk };

    explicit DialCall(SerialLine &line, int limitMs = kDialLimitMs);
    ~DialCall() override;

    State state() const { return m_state; }
    // Everything read at the last read (each read replaces the one before).
    const QByteArray &modemReply() const { return m_reply; }

    // Starts dialling. Empty when the dial command went out, otherwise
    // the reason nothing was sent (the number, a closed line, a failed
    // write); the call stays ready then.
    QString dial(const QString &number);
    // The user has picked up the receiver: the modem lets go of the line
    // ("ATH") and the call is ready for the next number.
    void talk();
    // Stops a wait without hanging up (the caller hangs up).
    void stop();

Q_SIGNALS:
    // The modem answered "OK": the user picks up the receiver.
    void answered();
    // No "OK" within the time limit; the modem was told to hang up.
    void timedOut();

private:
    void onInput();
    void onTimeout();

    SerialLine &m_line;
    QTimer m_limit;
    State m_state = State::Ready;
    QByteArray m_reply;
};

// What the user is told when the dial waited in vain.
QString noAnswerText(int limitMs = kDialLimitMs);
// What the user is told when a number cannot be dialled.
QString notDialableText(const QString &number);

} // namespace phone
