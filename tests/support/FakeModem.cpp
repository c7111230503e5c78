#include "support/FakeModem.h"


#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>



FakeModem::FakeModem()
{
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    m_device = QString::fromLocal8Bit(name);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_thread = std::thread([this] { run(); });
}

FakeModem::~FakeModem()
{
    m_stop = true;
    m_thread.join();
    ::close(m_slave);
    ::close(m_master);
}

QByteArrayList FakeModem::commands() const
{
    std::lock_guard lock(m_mutex);
    return m_commands;
}

QByteArray FakeModem::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

void FakeModem::clear()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
    m_commands.clear();
}

void FakeModem::send(const QByteArray &bytes)
{
    if (::write(m_master, bytes.constData(), size_t(bytes.size())) != bytes.size())
        throw std::runtime_error("write to the pseudo-terminal failed");
}

bool FakeModem::waitForCommands(int count, int msecs)
{
    return runUntil([&] { return commands().size() >= count; }, msecs);
}

void FakeModem::run()
{
    char buffer[256];
    while (!m_stop) {
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN))
            continue;
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        QByteArrayList complete;
        {
            std::lock_guard lock(m_mutex);
            m_received.append(buffer, n);
            m_pending.append(buffer, n);
            for (qsizetype cr; (cr = m_pending.indexOf('\r')) >= 0;) {
                complete.append(m_pending.left(cr + 1));
                m_pending.remove(0, cr + 1);
            }
            m_commands += complete;
        }
        for (const QByteArray &command : complete)
            answer(command);
    }
}

void FakeModem::answer(const QByteArray &command)
{
    if (command.startsWith("ATDT")) {
        if (dialReply == DialReply::Ok)
            send("\r\nOK\r\n");
        return;
    }
    if (command == "AT\r" && !answersProbe)
        return;
    send("\r\nOK\r\n");
}


