#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QHostAddress;
class SimulatedDevice;

// The exit status when the device cannot be reached or set up, or its serial port is lost.
constexpr int setUpFailure = 1;

// The ways the console reaches the device. Each prints where the device is, its first line of
// output, which scripts wait for, and returns what keeps the line open; nothing, with the
// reason in `error`, when it cannot.

// On 127.0.0.1: any number of connections, each with its own stream of frames, all driving the
// one device. The on-demand model's device closes a connection once it has had a whole
// message, as the console expects.
std::unique_ptr<QObject> listenOnLoopback(SimulatedDevice &device, const QHostAddress &address,
                                          quint16 port, QString &error);
// On a new pseudo-terminal, whose slave the console opens.
std::unique_ptr<QObject> openPseudoTerminal(SimulatedDevice &device, QString &error);
// On a real serial port, 8N1 without flow control. A port that fails later ends the program.
std::unique_ptr<QObject> openSerialPort(SimulatedDevice &device, const QString &path, int baudRate,
                                        QString &error);
