#pragma once
// A Hayes modem on a pseudo-terminal: the program's real QSerialPort line
// opens the terminal's device, and this side, on a thread of its own as a
// real modem would be, reads the commands it writes and answers them. The
// test's end of the terminal stays open, so the program may open and close
// its end as often as it likes.
#include <QByteArray>
#include <QByteArrayList>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <QThread>
#include <atomic>
#include <mutex>
#include <thread>



// Runs the program's event loop until done() holds, at most msecs; whether
// it came to hold.
template <typename Done>
bool runUntil(Done done, int msecs = 3000)
{
    QDeadlineTimer deadline(msecs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return done();
}

class FakeModem {
public:
    // How the modem answers a dial command.
    enum class DialReply { Ok, Silent };

    FakeModem();
    ~FakeModem();
    FakeModem(const FakeModem &) = delete;
    FakeModem &operator=(const FakeModem &) = delete;

    // The device the program opens, for example /dev/pts/7.
    QString device() const { return m_device; }

    std::atomic<bool> answersProbe = true;
    std::atomic<DialReply> dialReply = DialReply::Ok;

    // Every command received, each with its carriage return.
    QByteArrayList commands() const;
    // Everything received, as it came.
    QByteArray received() const;
    void clear();

    // Writes to the program as the modem would.
    void send(const QByteArray &bytes);
    // Runs the program's event loop until `count` commands have come, at
    // most msecs.
    bool waitForCommands(int count, int msecs = 3000);

private:
    void run();
    void answer(const QByteArray &command);

    int m_master = -1;
    int m_slave = -1;
    QString m_device;
    std::atomic<bool> m_stop = false;
    mutable std::mutex m_mutex;
    QByteArray m_pending;
    QByteArray m_received;
    QByteArrayList m_commands;
    std::thread m_thread; // last: started when the rest is ready
};


