#pragma once

#include "catalogue/playermodel.h"

#include <QString>

// Where and how a link reaches one player: the model's facts and the user's choice of port,
// rate or address, gathered once when the link opens.
struct LinkTarget
{
    enum class Kind
    {
        Serial,
        Tcp,
    };
    Kind kind = Kind::Serial;
    // Serial: the port as the user named it (a name in /dev or a path), and its rate; a rate
    // the port does not accept is -1 and nothing opens.
    QString port;
    int baudRate = -1;
    // TCP/IP: the address as the socket is given it, and the port.
    QString host;
    quint16 tcpPort = 0;
    // The device closes its connection after each answer: each frame opens its own.
    bool perFrame = false;
    // A connection closed by the device is its normal end, not a failure.
    bool closeIsNormalEnd = false;

    bool operator==(const LinkTarget &other) const;
};

// The target of a model's link: the baud-rate entry chosen (an index in the model's rates)
// for a serial model, the four address numbers for a TCP/IP one.
LinkTarget linkTarget(const PlayerModel &model, const QString &port, int baudEntry,
                      const QString &host);
