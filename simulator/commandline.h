#pragma once

#include "catalogue/playercatalogue.h"

#include <QStringList>

#include <optional>

// What the simulator was asked to do.
struct SimulatorOptions
{
    int modelIndex = -1;
    // TCP/IP models: the port on 127.0.0.1; the model's own when not given.
    quint16 port = 0;
    // Serial models: the serial device to open; a new pseudo-terminal when empty.
    QString device;
    // With a device: its baud rate; the model's default when not given.
    int baudRate = 0;
};

// The command line read, or the exit status when it is already answered: 0 after --help,
// --version or --list, 2 after a usage error (both printed).
struct CommandLine
{
    SimulatorOptions options;
    std::optional<int> exitStatus;
};

CommandLine readCommandLine(const QStringList &arguments, const PlayerCatalogueList &catalogue);
