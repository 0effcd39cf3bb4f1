#include "connection/links.h"

#include <QSerialPort>
#include <QTcpSocket>

QSerialPort *const serialPort = new QSerialPort;
QTcpSocket *const tcpSocket = new QTcpSocket;

bool anyLinkOpen()
{
    return serialPort->isOpen() || tcpSocket->isOpen();
}
