#pragma once

class QSerialPort;
class QTcpSocket;

// The one serial port and the one socket of the process. They live until the
// process ends; the operating system closes whatever is still open.
extern QSerialPort *const serialPort;
extern QTcpSocket *const tcpSocket;

bool anyLinkOpen();
