#pragma once
// The serial line to the modem and the ports it can be on.
//
// SerialLine is the one seam between the telephone code and the system's
// serial port: open a device, write, count and read what waits, discard it.
// The program's line is a QSerialPort at 9600 bits per second, 8 data bits;
// tests drive the same class against a pseudo-terminal.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QSerialPort;

namespace phone {

class SerialLine : public QObject {
    Q_OBJECT
public:
    ~SerialLine() override;

    // Opens the device; false with the system's reason in error() when it
    // cannot be opened (missing, busy, no permission).
    virtual bool open(const QString &device) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The device the line was last opened on.
    virtual QString device() const = 0;
    virtual QString error() const = 0;
    // Writes the bytes and waits (briefly) until the device has taken them,
    // so that a close straight after does not lose a hang-up.
    virtual bool write(const QByteArray &bytes) = 0;
    virtual qint64 bytesWaiting() const = 0;
    virtual QByteArray readAll() = 0;
    // Throws away whatever input waits.
    virtual void discard() = 0;
    // Blocks at most msecs for more input; used only by the presence probe,
    // which must finish before the program goes on.
    virtual bool waitForInput(int msecs) = 0;

Q_SIGNALS:
    // More input has arrived (from the event loop).
    void inputArrived();
};

// The system's serial port.
class QtSerialLine : public SerialLine {
    Q_OBJECT
public:
    QtSerialLine();
    ~QtSerialLine() override;

    bool open(const QString &device) override;
    void close() override;
    bool isOpen() const override;
    QString device() const override;
    QString error() const override;
    bool write(const QByteArray &bytes) override;
    qint64 bytesWaiting() const override;
    QByteArray readAll() override;
    void discard() override;
    bool waitForInput(int msecs) override;

private:
    std::unique_ptr<QSerialPort> m_port;
    QString m_device;
    QString m_error;
};

// The ports a modem can be on, numbered 1 to 16 as the settings store them.
struct SerialPorts {
    static constexpr int kMaxPorts = 16;

    // Device paths; port n is devices[n - 1].
    QStringList devices;

    // The system's serial ports in the order of their names (numbers in a
    // name compared as numbers, so ttyS2 comes before ttyS10), without the
    // port the system uses as its console, then the devices named in the
    // environment variable BRENVOY_SERIAL_PORTS (separated by ":"), which is
    // how a modem on a device the system does not list (a pseudo-terminal,
    // a modem reached over the network) is made known; at most 16.
    static SerialPorts system();
    // The same from given lists, for tests: found devices (sorted here),
    // console devices left out, extra devices appended.
    static SerialPorts from(QStringList found, const QStringList &console, const QStringList &extra);

    int count() const { return int(devices.size()); }
    // The device of port n, or empty when there is none.
    QString device(int port) const;
};

// The devices the kernel prints its console on, from
// /sys/class/tty/console/active ("tty0 ttyS0" gives /dev/tty0, /dev/ttyS0).
QStringList consoleDevices(const QString &activeFile = QStringLiteral("/sys/class/tty/console/active"));

} // namespace phone
