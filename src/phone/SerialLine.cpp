#include "phone/SerialLine.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>

namespace phone {

namespace {

// A modem takes a command of a few characters in a few milliseconds at 9600
// bits per second; a device that holds a write longer than this (flow
// control never released) is not going to dial.
constexpr int kWriteWaitMs = 250;

QString canonical(const QString &device)
{
    const QString c = QFileInfo(device).canonicalFilePath();
    return c.isEmpty() ? device : c;
}

} // namespace

SerialLine::~SerialLine() = default;

QtSerialLine::QtSerialLine() : m_port(std::make_unique<QSerialPort>())
{
    connect(m_port.get(), &QSerialPort::readyRead, this, &SerialLine::inputArrived);
}

QtSerialLine::~QtSerialLine()
{
    close();
}

bool QtSerialLine::open(const QString &device)
{
    close();
    m_device = device;
    m_port->setPortName(device);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_error = m_port->errorString();
        return false;
    }
    // 9600 bits per second, 8 data bits; the rest as the port comes.
    m_port->setBaudRate(QSerialPort::Baud9600);
    m_port->setDataBits(QSerialPort::Data8);
    m_error.clear();
    return true;
}

void QtSerialLine::close()
{
    if (m_port->isOpen())
        m_port->close();
}

bool QtSerialLine::isOpen() const
{
    return m_port->isOpen();
}

QString QtSerialLine::device() const
{
    return m_device;
}

QString QtSerialLine::error() const
{
    return m_error;
}

bool QtSerialLine::write(const QByteArray &bytes)
{
    if (!m_port->isOpen())
        return false;
    if (m_port->write(bytes) != bytes.size()) {
        m_error = m_port->errorString();
        return false;
    }
    while (m_port->bytesToWrite() > 0) {
        if (!m_port->waitForBytesWritten(kWriteWaitMs)) {
            m_error = m_port->errorString();
            return false;
        }
    }
    return true;
}

qint64 QtSerialLine::bytesWaiting() const
{
    return m_port->isOpen() ? m_port->bytesAvailable() : 0;
}

QByteArray QtSerialLine::readAll()
{
    return m_port->isOpen() ? m_port->readAll() : QByteArray();
}

void QtSerialLine::discard()
{
    if (!m_port->isOpen())
        return;
    m_port->clear(QSerialPort::Input);
    m_port->readAll();
}

bool QtSerialLine::waitForInput(int msecs)
{
    return m_port->isOpen() && m_port->waitForReadyRead(msecs);
}

SerialPorts SerialPorts::from(QStringList found, const QStringList &console, const QStringList &extra)
{
    QCollator byName;
    byName.setNumericMode(true);
    std::sort(found.begin(), found.end(), [&](const QString &a, const QString &b) { return byName.compare(a, b) < 0; });
    QStringList consoles;
    for (const QString &c : console)
        consoles.append(canonical(c));
    SerialPorts ports;
    for (const QString &d : found + extra) {
        if (ports.count() == kMaxPorts)
            break;
        if (d.isEmpty() || consoles.contains(canonical(d)) || ports.devices.contains(d))
            continue;
        ports.devices.append(d);
    }
    return ports;
}

SerialPorts SerialPorts::system()
{
    QStringList found;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        found.append(info.systemLocation());
    const QStringList extra = qEnvironmentVariable("BRENVOY_SERIAL_PORTS").split(u':', Qt::SkipEmptyParts);
    return from(found, consoleDevices(), extra);
}

QString SerialPorts::device(int port) const
{
    return port >= 1 && port <= count() ? devices[port - 1] : QString();
}

QStringList consoleDevices(const QString &activeFile)
{
    QFile f(activeFile);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList devices;
    for (const QString &name : QString::fromLocal8Bit(f.readAll()).simplified().split(u' ', Qt::SkipEmptyParts))
        devices.append(QStringLiteral("/dev/") + name);
    return devices;
}

} // namespace phone
