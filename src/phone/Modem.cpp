#include "phone/Modem.h"

#include <QElapsedTimer>

namespace phone {

namespace {

const QString kPrefix = QStringLiteral("1-");

} // namespace

bool isDialable(const QString &number)
{
    if (number.trimmed().isEmpty())
        return false;
    for (const QChar c : number) {
        const char16_t u = c.unicode();
        const bool digit = u >= u'0' && u <= u'9';
        if (!digit && !QStringView(u" *#,-()").contains(c))
            return false;
    }
    return true;
}

QString withPrefix(const QString &number, bool on)
{
    if (on)
        return number.startsWith(kPrefix) ? number : kPrefix + number;
    return number.startsWith(kPrefix) ? number.mid(kPrefix.size()) : number;
}

QByteArray dialCommand(const QString &number)
{
    return QByteArrayLiteral("ATDT") + number.toLatin1() + QByteArrayLiteral(";\r");
}

QList<int> allPorts(const SerialPorts &ports)
{
    QList<int> all;
    for (int p = 1; p <= ports.count(); ++p)
        all.append(p);
    return all;
}

QList<int> startProbePorts(const SerialPorts &ports, int savedPort, bool daisyChained)
{
    if (savedPort >= 1 && savedPort <= ports.count())
        return {savedPort};
    if (savedPort == 0 && daisyChained)
        return allPorts(ports);
    return {};
}

QString noAnswerText(int limitMs)
{
    return QStringLiteral("The modem did not answer within %1 seconds and was told to hang up. "
                          "Check the modem and dial again.")
        .arg(limitMs / 1000);
}

QString notDialableText(const QString &number)
{
    if (number.trimmed().isEmpty())
        return QStringLiteral("There is no number to dial.");
    return QStringLiteral("This number cannot be dialled: a telephone number may hold only digits, blanks "
                          "and * # , - ( ). Nothing was sent to the modem.");
}

// ---- Modem -----------------------------------------------------------------

Modem::Modem(std::unique_ptr<SerialLine> line, PortLister lister) : m_line(std::move(line)), m_lister(std::move(lister))
{
    relist();
}

void Modem::setPortLister(PortLister lister)
{
    m_lister = std::move(lister);
    relist();
}

void Modem::relist()
{
    m_ports = m_lister ? m_lister() : SerialPorts{};
}

Modem::~Modem() = default;

bool Modem::probe(const QString &device, int waitMs)
{
    if (!m_line->open(device))
        return false;
    m_line->discard();
    if (m_line->write(kProbe)) {
        QElapsedTimer waited;
        waited.start();
        while (m_line->bytesWaiting() < 2) {
            const qint64 left = waitMs - waited.elapsed();
            if (left <= 0 || !m_line->waitForInput(int(left)))
                break;
        }
        if (m_line->bytesWaiting() >= 2)
            return true;
    }
    m_line->close();
    return false;
}

int Modem::detect(const QList<int> &candidates, int perPortMs, int budgetMs)
{
    // A line left open by an earlier detection or a call is closed first,
    // so every port is looked at afresh.
    m_line->close();
    m_port = 0;
    QElapsedTimer spent;
    spent.start();
    for (int port : candidates) {
        if (budgetMs > 0 && spent.elapsed() >= budgetMs)
            break;
        const QString device = m_ports.device(port);
        if (!device.isEmpty() && probe(device, perPortMs)) {
            m_port = port;
            break;
        }
    }
    if (m_port > 0) {
        // The port stays open with caller identification switched on.
        m_line->discard();
        (void)m_line->write(kCallerIdOn);
    }
    Q_EMIT detectionChanged();
    return m_port;
}

QString Modem::statusText() const
{
    return m_port > 0 ? QStringLiteral("Your Modem Comm Port Is %1.").arg(m_port) : kNotDetected;
}

QString Modem::portLabel(int port) const
{
    const QString label = QStringLiteral("COM Port # %1").arg(port);
    const QString device = m_ports.device(port);
    return device.isEmpty() ? label : label + QStringLiteral("  (") + device + u')';
}

QString Modem::openForDialing(int port)
{
    const QString device = m_ports.device(port);
    if (device.isEmpty())
        return port <= 0 ? QStringLiteral("No modem port is set. Find the modem on the setup screen (Options, "
                                          "Phone and Modem, Detect).")
                         : QStringLiteral("There is no COM Port # %1 on this computer. Find the modem on the setup "
                                          "screen (Options, Phone and Modem, Detect).")
                               .arg(port);
    if (m_line->isOpen() && m_line->device() == device)
        return {};
    if (!m_line->open(device))
        return QStringLiteral("%1 could not be opened (%2). The modem may be in use or unplugged.")
            .arg(portLabel(port), m_line->error());
    return {};
}

void Modem::hangUp()
{
    if (!m_line->isOpen())
        return;
    (void)m_line->write(kHangUp);
    m_line->close();
}

// ---- DialCall --------------------------------------------------------------

DialCall::DialCall(SerialLine &line, int limitMs) : m_line(line)
{
    m_limit.setSingleShot(true);
    m_limit.setInterval(limitMs);
    connect(&m_limit, &QTimer::timeout, this, &DialCall::onTimeout);
    connect(&m_line, &SerialLine::inputArrived, this, &DialCall::onInput);
}

DialCall::~DialCall() = default;

QString DialCall::dial(const QString &number)
{
    if (m_state != State::Ready)
        return QStringLiteral("A call is already being dialled.");
    if (!isDialable(number))
        return notDialableText(number);
    if (!m_line.isOpen())
        return QStringLiteral("The modem's port is not open. Nothing was dialled.");
    m_line.discard();
    m_reply.clear();
    if (!m_line.write(dialCommand(number)))
        return QStringLiteral("The dial command could not be sent to the modem (%1).").arg(m_line.error());
    m_state = State::Dialing;
    m_limit.start();
    return {};
}

void DialCall::onInput()
{
    if (m_state != State::Dialing || m_line.bytesWaiting() < 2)
        return;
    m_reply = m_line.readAll();
    if (!m_reply.contains("OK"))
        return;
    m_limit.stop();
    m_state = State::Talk;
    Q_EMIT answered();
}

void DialCall::onTimeout()
{
    if (m_state != State::Dialing)
        return;
    (void)m_line.write(kHangUp);
    m_state = State::Ready;
    Q_EMIT timedOut();
}

void DialCall::talk()
{
    m_limit.stop();
    if (m_line.isOpen())
        (void)m_line.write(kHangUp);
    m_state = State::Ready;
}

void DialCall::stop()
{
    m_limit.stop();
    m_state = State::Ready;
}

} // namespace phone
