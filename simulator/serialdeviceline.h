#pragma once

#include <QObject>
#include <QSerialPort>

class DeviceConversation;
class SimulatedDevice;
class Transcript;

// The device on a real serial port, 8 data bits, no parity, one stop bit, no flow control.
class SerialDeviceLine : public QObject
{
    Q_OBJECT

public:
    SerialDeviceLine(SimulatedDevice &device, Transcript &transcript, QObject *parent = nullptr);

    // False with the reason in `error` when the port cannot be opened.
    bool open(const QString &path, int baudRate, QString &error);

signals:
    // The port failed after it was opened (an adapter pulled out): the device is gone.
    void lost(const QString &reason);

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    DeviceConversation *m_conversation;
};
