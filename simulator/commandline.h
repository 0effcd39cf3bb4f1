#pragma once

#include "catalogue/playercatalogue.h"

#include <QHostAddress>

// What the simulator was asked to do.
struct SimulatorOptions
{
    PlayerModel model;
    // TCP/IP models: the loopback address and port; the model's own port when 0.
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 0;
    // Serial models: the serial device to open; a new pseudo-terminal when empty.
    QString device;
    // With a device: its baud rate; the model's default when 0.
    int baudRate = 0;
};

// Reads the program's arguments. After --help, --version or --list the program ends with
// status 0, after a usage error with status 2, its message printed.
SimulatorOptions readCommandLine(const PlayerCatalogueList &catalogue);

// A message on stderr, after the program's name.
void printError(const QString &message);
