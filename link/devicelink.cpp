#include "link/devicelink.h"
#include "connection/linksettings.h"
#include "connection/serialports.h"
#include "link/serialsetup.h"

#include <QFileInfo>
#include <QScopedValueRollback>

namespace {

// A port in use by another program or closed to this user is there but will not talk.
LinkFailure serialFailure(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return LinkFailure::Absent;
    case QSerialPort::PermissionError:
        return LinkFailure::Refused;
    default:
        return LinkFailure::Other;
    }
}

LinkFailure socketFailure(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return LinkFailure::Refused;
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::NetworkError:
        return LinkFailure::Absent;
    default:
        return LinkFailure::Other;
    }
}

} // namespace

DeviceLink::DeviceLink(QObject *parent)
    : QObject(parent)
    , m_connectTimeoutMs(connectTimeoutMs)
{
    connect(&m_serial, &QSerialPort::readyRead, this, [this] { readFrom(&m_serial); });
    connect(&m_serial, &QSerialPort::bytesWritten, this, &DeviceLink::onBytesWritten);
    connect(&m_serial, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (m_serial.isOpen() && endsSerialLink(e))
            fail(serialErrorMessage(serialErrorIndex(e)));
    });
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_connectTimer.stop();
        setState(State::Open);
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, [this] { readFrom(&m_socket); });
    connect(&m_socket, &QTcpSocket::bytesWritten, this, &DeviceLink::onBytesWritten);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &DeviceLink::onSocketError);
    // Closing the socket here reports its end too: only an end from the device closes the link.
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        if (!m_closing && m_state != State::Waiting)
            close();
    });
    m_connectTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, &DeviceLink::onConnectTimeout);
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &DeviceLink::retry);
    m_answerTimer.setSingleShot(true);
    connect(&m_answerTimer, &QTimer::timeout, this, &DeviceLink::endAnswer);
    m_stayedUpTimer.setSingleShot(true);
    connect(&m_stayedUpTimer, &QTimer::timeout, this, [this] { m_attempt = 0; });
}

// The port and the socket close as they are destroyed, after the rest of the link: they tell
// nobody.
DeviceLink::~DeviceLink()
{
    m_serial.disconnect(this);
    m_socket.disconnect(this);
}

bool DeviceLink::open(const LinkTarget &target)
{
    if (m_state != State::Closed)
        return false;
    m_target = target;
    m_attempt = 0;
    m_lastFailure = LinkFailure::None;
    if (target.kind == LinkTarget::Kind::Tcp) {
        connectSocket();
        return m_state != State::Closed;
    }
    if (!openSerial(target.port, true))
        return false;
    m_stableName = stableNameOf(serialDevicePath(target.port), readStableNames(m_stableNames));
    return true;
}

void DeviceLink::setTarget(const LinkTarget &target)
{
    if (m_state == State::Closed)
        m_target = target;
}

bool DeviceLink::openSerial(const QString &port, bool reportFailure)
{
    if (m_target.baudRate < 0)
        return false;
    // An empty name would stand for the device directory itself.
    if (port.isEmpty()) {
        if (reportFailure)
            fail(serialErrorMessage(serialErrorIndex(QSerialPort::DeviceNotFoundError)),
                 LinkFailure::Absent);
        return false;
    }
    configureSerialPort(m_serial, port, m_target.baudRate);
    if (!m_serial.open(QIODevice::ReadWrite)) {
        if (reportFailure)
            fail(serialErrorMessage(serialErrorIndex(m_serial.error())),
                 serialFailure(m_serial.error()));
        return false;
    }
    m_target.port = port;
    setState(State::Open);
    return true;
}

// While waiting, the link stays waiting until the connection is made. An address that fails
// at once (broadcast, unreachable network) fails from inside connectToHost.
void DeviceLink::connectSocket()
{
    if (m_socket.isOpen())
        return;
    if (m_state != State::Waiting)
        setState(State::Connecting);
    m_connectTimer.start(m_connectTimeoutMs);
    m_socket.connectToHost(m_target.host, m_target.tcpPort, QIODevice::ReadWrite,
                           QAbstractSocket::AnyIPProtocol);
}

void DeviceLink::onSocketError(QAbstractSocket::SocketError error)
{
    m_errorMessage = tcpErrorMessage(m_socket.errorString());
    if (error == QAbstractSocket::RemoteHostClosedError && m_target.closeIsNormalEnd) {
        close();
        return;
    }
    fail(m_errorMessage, socketFailure(error));
}

void DeviceLink::onConnectTimeout()
{
    if (m_socket.state() == QAbstractSocket::ConnectedState || !m_socket.isOpen())
        return;
    fail(tcpErrorMessage(connectTimeoutReason(m_connectTimeoutMs)));
}

// The link is closed before anyone is told more than the failure: an owner that shows a modal
// box runs an event loop in which a link still open would fail again and again with the frames
// it holds. A link that was up, or is being brought back, waits for its device when asked to.
void DeviceLink::fail(const QString &message, LinkFailure kind)
{
    m_errorMessage = message;
    m_lastFailure = kind;
    const bool lost = m_state == State::Open || m_state == State::Waiting;
    const bool waits = lost && m_waitsForLostDevice && !m_target.perFrame;
    emit failed(message, waits);
    closeTransports();
    if (waits)
        waitForDevice();
    else
        close();
}

void DeviceLink::close()
{
    m_retryTimer.stop();
    m_attempt = 0;
    closeTransports();
    setState(State::Closed);
}

void DeviceLink::closeTransports()
{
    const QScopedValueRollback<bool> closing(m_closing, true);
    m_connectTimer.stop();
    // What arrived before the end still counts, as an answer too.
    readFrom(&m_serial);
    readFrom(&m_socket);
    if (m_serial.isOpen())
        m_serial.close();
    if (m_socket.isOpen()) {
        m_socket.disconnectFromHost();
        m_socket.close();
    }
    m_socket.abort();
    endAnswer();
    const QVector<FrameInFlight> lost = std::exchange(m_inFlight, {});
    for (const FrameInFlight &frame : lost) {
        settleFrame(frame.number, SendState::NotSent);
        emit frameNotSent(frame.number, frame.bytes, frame.name);
    }
}

// A technician at the rack expects the link back once the device is: soon at first, for a
// device that only reset, then every few seconds.
void DeviceLink::waitForDevice()
{
    setState(State::Waiting);
    m_retryTimer.start(reconnectDelayMs(m_attempt++));
}

void DeviceLink::retry()
{
    if (m_state != State::Waiting || m_serial.isOpen() || m_socket.isOpen())
        return;
    if (m_target.kind == LinkTarget::Kind::Tcp) {
        // A serial device plugged in says nothing of a player on the network.
        if (!m_retryTimer.isActive())
            connectSocket(); // one that fails comes back through fail(), which waits again
        return;
    }
    const QString port = m_target.port;
    const QString reopened = reconnectPort(port, m_stableName, readStableNames(m_stableNames),
                                           QFileInfo::exists(serialDevicePath(port)));
    if (reopened.isEmpty() || !openSerial(reopened, false))
        m_retryTimer.start(reconnectDelayMs(m_attempt++));
}

// A device that accepts and at once drops every connection is not back: the back-off goes on
// growing until the link has stayed up a while, or the device has said something.
void DeviceLink::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    if (state == State::Open)
        m_stayedUpTimer.start(stayedUpMs);
    else
        m_stayedUpTimer.stop();
    emit stateChanged(state);
}

QString DeviceLink::description() const
{
    if (m_serial.isOpen())
        return QStringLiteral("serial port %1 at %2 bit/s")
            .arg(serialDevicePath(m_target.port))
            .arg(m_serial.baudRate());
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        return QStringLiteral("%1 port %2").arg(m_socket.peerName()).arg(m_socket.peerPort());
    return QString();
}

// A per-frame link whose connection is closed opens one; one still open carries the frame as
// it is (sent once, never twice). The socket keeps a frame until it is connected.
QIODevice *DeviceLink::openTransport()
{
    if (m_serial.isOpen())
        return &m_serial;
    if (m_state == State::Closed && m_target.perFrame)
        connectSocket();
    return m_socket.isOpen() ? &m_socket : nullptr;
}

int DeviceLink::send(const QByteArray &frame, const QString &name, int answerWaitMs)
{
    if (m_state == State::Closed && !m_target.perFrame)
        return 0;
    const int number = ++m_lastFrame;
    QIODevice *device = m_state == State::Waiting ? nullptr : openTransport();
    if (!device || device->write(frame) != frame.size()) {
        m_lastFrameState = SendState::NotSent;
        emit frameNotSent(number, frame, name);
        return number;
    }
    const bool up = m_state == State::Open;
    m_lastFrameState = SendState::Waiting;
    m_inFlight.append({number, device->bytesToWrite(), frame, name, !up, answerWaitMs});
    if (up)
        emit frameSent(number, frame, name);
    // Written now, not when the event loop next comes round, after whatever it has to draw.
    if (m_serial.isOpen())
        m_serial.flush();
    else if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.flush();
    return number;
}

void DeviceLink::onBytesWritten(qint64 bytes)
{
    for (FrameInFlight &frame : m_inFlight)
        frame.bytesLeft -= bytes;
    while (!m_inFlight.isEmpty() && m_inFlight.first().bytesLeft <= 0) {
        const FrameInFlight out = m_inFlight.takeFirst();
        settleFrame(out.number, SendState::Sent);
        if (out.toTellWhenOut)
            emit frameSent(out.number, out.bytes, out.name);
        emit frameLeft(out.number);
        if (out.answerWaitMs >= 0) {
            endAnswer();
            m_answering = out.number;
            m_answerTimer.start(out.answerWaitMs);
        }
    }
}

void DeviceLink::settleFrame(int number, SendState state)
{
    if (number == m_lastFrame)
        m_lastFrameState = state;
}

void DeviceLink::endAnswer()
{
    m_answerTimer.stop();
    if (!m_answering)
        return;
    const int number = std::exchange(m_answering, 0);
    emit answered(number, std::exchange(m_answer, {}));
}

void DeviceLink::readFrom(QIODevice *device)
{
    if (!device->isOpen())
        return;
    const QByteArray chunk = device->readAll();
    if (chunk.isEmpty())
        return;
    if (m_answering)
        m_answer += chunk;
    if (m_stayedUpTimer.isActive()) {
        m_stayedUpTimer.stop();
        m_attempt = 0;
    }
    m_lastReceived = chunk;
    emit received(chunk);
}
