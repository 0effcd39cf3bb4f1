#include "sender/serialplayerlink.h"

#include "connection/linksettings.h"

SerialPlayerLink::SerialPlayerLink(const QString &device, int baudRate, const QByteArray &frame,
                                   int waitMs)
    : PlayerLink(device, frame, waitMs)
    , m_baudRate(baudRate)
{
    connect(&m_port, &QSerialPort::bytesWritten, this, &SerialPlayerLink::onBytesWritten);
    connect(&m_port, &QSerialPort::readyRead, this, [this] { receive(m_port.readAll()); });
    // A removed adapter, a pseudo-terminal whose other side went away, a failed write: each
    // ends the link, as in the window.
    connect(&m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError ||
            e == QSerialPort::WriteError)
            end(serialErrorMessage(m_port.error()));
    });
}

void SerialPlayerLink::start()
{
    m_port.setPortName(address());
    m_port.setBaudRate(m_baudRate, QSerialPort::AllDirections);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite) || m_port.write(frame()) != frame().size())
        end(serialErrorMessage(m_port.error()));
}

void SerialPlayerLink::close()
{
    if (!m_port.isOpen())
        return;
    receive(m_port.readAll());
    m_port.close();
}
