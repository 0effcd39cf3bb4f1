#pragma once

#include <QString>

#include <array>
#include <optional>

// The baud rate itself when the serial link accepts it, else -1 (unknown baud): the port is
// then not opened.
int acceptedBaudRate(int rate);

// How long a device may take to accept a connection. On a local network it answers in
// milliseconds; an address where nothing answers would otherwise keep the window waiting for
// about a minute.
constexpr int connectTimeoutMs = 5000;

// The device address as the socket is given it: four decimal bytes without padding.
QString hostText(int first, int second, int third, int fourth);

// The four numbers of an address typed or pasted as "a.b.c.d", each 0 to 255; empty for
// anything else.
std::optional<std::array<int, 4>> dottedAddress(const QString &text);

// Where the system keeps the device of a serial port name: a path as it is, else the name in
// the device directory.
QString serialDevicePath(const QString &portName);

// A failing link's message as the console gives it, in its language: what failed, a line
// break, then why.
QString serialErrorMessage(int error);
QString tcpErrorMessage(const QString &reason);
// Why a connection that never completed within `timeoutMs` failed.
QString connectTimeoutReason(int timeoutMs);
// Why the on-demand model's Connect and Disconnect stay greyed: each command connects for itself.
QString onDemandLinkNote();

// The untranslated text of a serial port error, by its number as Qt 5 numbers
// QSerialPort::SerialPortError (serialErrorIndex()), in the window's translation context.
const char *serialErrorSource(int error);
