#pragma once

#include "catalogue/playercommand.h"

#include <QString>
#include <QVector>

struct PlayerModel
{
    PlayerModel() = default;
    PlayerModel(const QString &name, qint32 protocol, quint8 tcpLink, quint8 minId, quint8 maxId,
                quint8 folderBanks, qint32 defaultBaudRate, quint16 tcpPort);

    QString name;
    // 0: ID byte, code, data. 1: code, data (no ID byte).
    qint32 protocol = 0;
    quint8 tcpLink = 0;
    quint8 minId = 0;
    quint8 maxId = 0;
    quint8 folderBanks = 1;
    QVector<qint32> baudRates;
    QVector<PlayerCommand> commands;
    qint32 defaultBaudRate = -1;
    quint16 tcpPort = 0;

    bool isTcp() const { return tcpLink != 0; }
    // Opens its connection for each command and speaks in text envelopes.
    bool isOnDemand() const { return protocol == 1 && isTcp(); }

    // The command of a category looked up by category, or nullptr.
    const PlayerCommand *commandOfCategory(int category) const;
    // The command whose label is exactly `label`; with `category` >= 0 it must match too.
    const PlayerCommand *commandByLabel(const QString &label, int category = -1) const;
};
