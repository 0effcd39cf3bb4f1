#pragma once

#include "simulator/framestreamdecoder.h"

#include <QObject>
#include <QTimer>

#include <functional>

class SimulatedDevice;

// One stream of bytes from the console, a TCP connection or a serial line: decodes it, lets
// the device react to each frame, prints frames and replies, and sends the replies back.
class DeviceConversation : public QObject
{
    Q_OBJECT

public:
    using Sender = std::function<void(const QByteArray &)>;

    DeviceConversation(SimulatedDevice &device, Sender send, QObject *parent);

    void receive(const QByteArray &bytes);
    // The stream has ended: what is still waiting is shown as it stands.
    void finish();

signals:
    // The on-demand model has had a whole message; its device closes the connection now.
    void exchangeEnded();

private:
    void handle(const QVector<DecodedFrame> &frames);

    SimulatedDevice &m_device;
    Sender m_send;
    FrameStreamDecoder m_decoder;
    QTimer m_quietLine;
};
