#include "simulator/tcpdeviceserver.h"

#include "simulator/deviceconversation.h"
#include "simulator/transcript.h"

#include <QTcpSocket>

TcpDeviceServer::TcpDeviceServer(SimulatedDevice &device, Transcript &transcript, QObject *parent)
    : QObject(parent)
    , m_device(device)
    , m_transcript(transcript)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TcpDeviceServer::acceptConnections);
}

// The connections are the server's children and close as it is destroyed: their handlers must
// not run then, on a half-destroyed server.
TcpDeviceServer::~TcpDeviceServer()
{
    const auto sockets = m_server.findChildren<QTcpSocket *>();
    for (QTcpSocket *socket : sockets)
        socket->disconnect(this);
}

bool TcpDeviceServer::listen(quint16 port, QString &error)
{
    if (m_server.listen(QHostAddress::LocalHost, port))
        return true;
    error = m_server.errorString();
    return false;
}

void TcpDeviceServer::acceptConnections()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        const QString peer =
            QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        m_transcript.event(QStringLiteral("connection from ") + peer);
        auto *conversation = new DeviceConversation(
            m_device, m_transcript, [socket](const QByteArray &bytes) { socket->write(bytes); },
            socket);
        connect(socket, &QTcpSocket::readyRead, conversation,
                [socket, conversation] { conversation->receive(socket->readAll()); });
        // Pending replies are written before the connection closes.
        connect(conversation, &DeviceConversation::exchangeEnded, socket,
                [socket] { socket->disconnectFromHost(); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket, conversation, peer] {
            conversation->receive(socket->readAll());
            conversation->finish();
            m_transcript.event(QStringLiteral("connection from %1 closed").arg(peer));
            socket->deleteLater();
        });
    }
}
