#pragma once

#include <QTcpServer>
#include <QTcpSocket>

// A device on 127.0.0.1 that keeps every byte it receives, over any number of connections.
class RecordingServer : public QTcpServer
{
public:
    RecordingServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *peer = nextPendingConnection()) {
                ++m_connections;
                m_peer = peer;
                connect(peer, &QTcpSocket::readyRead, this,
                        [this, peer] { m_received += peer->readAll(); });
            }
        });
        listen(QHostAddress::LocalHost);
    }

    int connections() const { return m_connections; }
    QByteArray received() const { return m_received; }
    // The device ends the exchange, as the on-demand device does after each command.
    void closeConnection()
    {
        if (m_peer)
            m_peer->close();
    }
    QTcpSocket *peer() const { return m_peer; }

private:
    int m_connections = 0;
    QByteArray m_received;
    QTcpSocket *m_peer = nullptr;
};
