#pragma once

#include <QString>

// The baud rate itself when the serial link accepts it, else -1 (unknown baud): the port is
// then not opened.
int acceptedBaudRate(int rate);

// The device address as the socket is given it: four decimal bytes without padding.
QString hostText(int first, int second, int third, int fourth);

// The untranslated text of a serial port error value (QSerialPort::SerialPortError), in the
// window's translation context.
const char *serialErrorSource(int error);
