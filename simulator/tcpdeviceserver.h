#pragma once

#include <QObject>
#include <QTcpServer>

class SimulatedDevice;
class Transcript;

// The device on 127.0.0.1: any number of connections, each with its own stream of frames, all
// driving the one device. The on-demand model's device closes a connection once it has had a
// whole message, as the console expects.
class TcpDeviceServer : public QObject
{
    Q_OBJECT

public:
    TcpDeviceServer(SimulatedDevice &device, Transcript &transcript, QObject *parent = nullptr);
    ~TcpDeviceServer() override;

    // False with the reason in `error` when the port cannot be had.
    bool listen(quint16 port, QString &error);

private:
    void acceptConnections();

    SimulatedDevice &m_device;
    Transcript &m_transcript;
    QTcpServer m_server;
};
