#pragma once

#include "sender/playerlink.h"

#include <QTcpSocket>

// A TCP/IP player: its own connection, as the on-demand model wants one per command.
class TcpPlayerLink : public PlayerLink
{
    Q_OBJECT

public:
    TcpPlayerLink(const QString &host, quint16 port, const QByteArray &frame, int waitMs);

    void start() override;

protected:
    void close() override;

private:
    void onConnected();
    void onError();

    quint16 m_port = 0;
    QTcpSocket m_socket;
    QTimer m_connectTimer;
};
