#include "sender/tcpplayerlink.h"

#include "connection/linksettings.h"

TcpPlayerLink::TcpPlayerLink(const QString &host, quint16 port, const QByteArray &frame, int waitMs)
    : PlayerLink(host, frame, waitMs)
    , m_port(port)
{
    m_connectTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this,
            [this] { end(tcpErrorMessage(connectTimeoutReason())); });
    connect(&m_socket, &QTcpSocket::connected, this, &TcpPlayerLink::onConnected);
    connect(&m_socket, &QTcpSocket::bytesWritten, this, &TcpPlayerLink::onBytesWritten);
    connect(&m_socket, &QTcpSocket::readyRead, this, [this] { receive(m_socket.readAll()); });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TcpPlayerLink::onError);
}

void TcpPlayerLink::start()
{
    m_connectTimer.start(connectTimeoutMs);
    m_socket.connectToHost(address(), m_port);
}

void TcpPlayerLink::onConnected()
{
    m_connectTimer.stop();
    if (m_socket.write(frame()) != frame().size())
        end(tcpErrorMessage(m_socket.errorString()));
}

// After the frame has left, a closed connection only ends the answer: the on-demand device
// closes it once it has answered.
void TcpPlayerLink::onError()
{
    end(tcpErrorMessage(m_socket.errorString()));
}

void TcpPlayerLink::close()
{
    m_connectTimer.stop();
    receive(m_socket.readAll());
    m_socket.disconnectFromHost();
}
