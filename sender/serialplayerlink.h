#pragma once

#include "sender/playerlink.h"

#include <QSerialPort>

// A player on a serial line, 8N1 without flow control, as the window opens it.
class SerialPlayerLink : public PlayerLink
{
    Q_OBJECT

public:
    SerialPlayerLink(const QString &device, int baudRate, const QByteArray &frame, int waitMs);

    void start() override;

protected:
    void close() override;

private:
    int m_baudRate = 0;
    QSerialPort m_port;
};
