#include "link/serialsetup.h"

void configureSerialPort(QSerialPort &port, const QString &portName, int baudRate)
{
    port.setPortName(portName);
    port.setBaudRate(baudRate, QSerialPort::AllDirections);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

bool endsSerialLink(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError;
}

int serialErrorIndex(QSerialPort::SerialPortError error)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    constexpr int leftOut = 3;
    return error >= QSerialPort::WriteError ? int(error) + leftOut : int(error);
#else
    return int(error);
#endif
}
