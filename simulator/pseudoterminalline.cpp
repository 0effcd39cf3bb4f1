#include "simulator/pseudoterminalline.h"

#include "simulator/deviceconversation.h"
#include "simulator/transcript.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminalLine::PseudoTerminalLine(SimulatedDevice &device, Transcript &transcript,
                                       QObject *parent)
    : QObject(parent)
    , m_transcript(transcript)
    , m_conversation(new DeviceConversation(
          device, transcript, [this](const QByteArray &bytes) { writeMaster(bytes); }, this))
{}

PseudoTerminalLine::~PseudoTerminalLine()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

bool PseudoTerminalLine::open(QString &error)
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        m_master = m_slave = -1;
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    // Raw until the console sets the line itself: no echo, no line editing of the frames.
    termios raw{};
    tcgetattr(m_slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_slave, TCSANOW, &raw);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PseudoTerminalLine::readMaster);
    return true;
}

void PseudoTerminalLine::readMaster()
{
    QByteArray bytes;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = ::read(m_master, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, int(count));
    if (!bytes.isEmpty())
        m_conversation->receive(bytes);
}

void PseudoTerminalLine::writeMaster(const QByteArray &bytes)
{
    const ssize_t written = ::write(m_master, bytes.constData(), size_t(bytes.size()));
    if (written != bytes.size())
        m_transcript.event(QStringLiteral("reply not delivered: nobody reads the line"));
}
