#include "simulator/serialdeviceline.h"

#include "simulator/deviceconversation.h"

SerialDeviceLine::SerialDeviceLine(SimulatedDevice &device, Transcript &transcript, QObject *parent)
    : QObject(parent)
    , m_conversation(new DeviceConversation(
          device, transcript, [this](const QByteArray &bytes) { m_port.write(bytes); }, this))
{
    connect(&m_port, &QSerialPort::readyRead, this,
            [this] { m_conversation->receive(m_port.readAll()); });
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialDeviceLine::onError);
}

bool SerialDeviceLine::open(const QString &path, int baudRate, QString &error)
{
    m_port.setPortName(path);
    m_port.setBaudRate(baudRate, QSerialPort::AllDirections);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (m_port.open(QIODevice::ReadWrite))
        return true;
    error = m_port.errorString();
    return false;
}

// A pulled adapter reports a resource error; a pseudo-terminal whose other side went away
// reports read errors without end. Either way, close once and stop.
void SerialDeviceLine::onError(QSerialPort::SerialPortError error)
{
    if (!m_port.isOpen() ||
        (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    const QString reason = m_port.errorString();
    m_conversation->finish();
    m_port.close();
    emit lost(reason);
}
