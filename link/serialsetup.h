#pragma once

#include <QSerialPort>

// How every program of the console sets a serial line up: 8 data bits, no parity, one stop
// bit, no flow control, at the given rate in both directions.
void configureSerialPort(QSerialPort &port, const QString &portName, int baudRate);

// A removed adapter reports a resource error; a pseudo-terminal whose other side went away
// reports a read error on every pass of the event loop; a write that fails leaves the line in
// doubt. Each ends the link; other errors leave it open.
bool endsSerialLink(QSerialPort::SerialPortError error);

// The error's number in the console's texts, which follow Qt 5's numbering (Qt 6 has no parity,
// framing or break condition errors, and numbers the others from there on).
int serialErrorIndex(QSerialPort::SerialPortError error);
