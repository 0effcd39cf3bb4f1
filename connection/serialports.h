#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A serial port as the system enumerates it.
struct DetectedPort
{
    QString name;           // "ttyUSB0"
    QString systemLocation; // "/dev/ttyUSB0"
    QString description;
    QString manufacturer;
    QString serialNumber;
};

// A stable name of a device (a link in /dev/serial/by-id), and the device it points at now.
struct StableName
{
    QString path;
    QString target;
    bool operator==(const StableName &other) const
    {
        return path == other.path && target == other.target;
    }
};

// An entry of the port list: what it shows (and the configuration stores), and what tells
// adapters apart.
struct PortEntry
{
    QString name;
    QString details;
    bool operator==(const PortEntry &other) const
    {
        return name == other.name && details == other.details;
    }
};

// Where the console looks for serial devices; tests point them at directories of their own.
struct SerialDirectories
{
    QString devices = QStringLiteral("/dev");
    QString stableNames = QStringLiteral("/dev/serial/by-id");
};

// The links of `directory`, each with the absolute path of the device it points at.
QVector<StableName> readStableNames(const QString &directory);

// The port list: each detected port followed by its stable names, then the stable names of
// devices the system does not enumerate (pseudo-terminals), then the `kept` names (the one
// typed, the open one) that are not listed otherwise, in that order.
QVector<PortEntry> portEntries(const QVector<DetectedPort> &ports,
                               const QVector<StableName> &stableNames, const QStringList &kept);

// The stable name that points at `devicePath` (a path, a link or not), or nothing.
QString stableNameOf(const QString &devicePath, const QVector<StableName> &stableNames);

// What to open again for a serial link that was lost, or nothing to try yet. A port known by a
// stable name is followed there only: plugged in again, an adapter may come back under another
// name, and another adapter may have taken its old one.
QString reconnectPort(const QString &port, const QString &stableName,
                      const QVector<StableName> &stableNames, bool portPresent);

// How long to wait before the given try (0 for the first) to open a lost link again: soon at
// first, for a device that only reset, then no more than a few seconds apart.
int reconnectDelayMs(int attempt);
// How long a link brought back must stay up, if the device says nothing, before the next loss
// is tried again soon.
constexpr int stayedUpMs = 2000;
