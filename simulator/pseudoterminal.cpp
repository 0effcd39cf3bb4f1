#include "simulator/pseudoterminal.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        m_master = m_slave = -1;
        return;
    }
    m_slaveName = QString::fromLocal8Bit(name);
    // A program started meanwhile must not keep the line alive after its owner closes it.
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    // Raw until the console sets the line itself: no echo, no line editing of the frames.
    termios raw{};
    tcgetattr(m_slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_slave, TCSANOW, &raw);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal()
{
    closeMaster();
    if (m_slave >= 0)
        ::close(m_slave);
}

QByteArray PseudoTerminal::readAvailable()
{
    QByteArray received;
    char buffer[4096];
    ssize_t count = 0;
    while (m_master >= 0 && (count = ::read(m_master, buffer, sizeof buffer)) > 0)
        received.append(buffer, int(count));
    return received;
}

QByteArray PseudoTerminal::read(int count, int timeoutMs)
{
    QByteArray received;
    QDeadlineTimer deadline(timeoutMs);
    while (m_master >= 0 && received.size() < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const QByteArray bytes = readAvailable();
        if (bytes.isEmpty())
            usleep(1000);
        received += bytes;
    }
    return received;
}

bool PseudoTerminal::write(const QByteArray &bytes)
{
    return m_master >= 0 &&
           ::write(m_master, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

void PseudoTerminal::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

PseudoTerminal::LineSettings PseudoTerminal::lineSettings() const
{
    termios settings{};
    LineSettings line;
    if (tcgetattr(m_slave, &settings) != 0)
        return line;
    static const struct
    {
        speed_t speed;
        int rate;
    } speeds[] = {{B1200, 1200},   {B2400, 2400},   {B4800, 4800},   {B9600, 9600},
                  {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    for (const auto &entry : speeds) {
        if (cfgetospeed(&settings) == entry.speed)
            line.baudRate = entry.rate;
    }
    const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    for (int bits = 5; bits <= 8; ++bits) {
        if ((settings.c_cflag & CSIZE) == sizes[bits - 5])
            line.dataBits = bits;
    }
    line.parity = settings.c_cflag & PARENB;
    line.twoStopBits = settings.c_cflag & CSTOPB;
    line.hardwareFlowControl = settings.c_cflag & CRTSCTS;
    line.softwareFlowControl = settings.c_iflag & (IXON | IXOFF);
    return line;
}
