#include "catalogue/playermodel.h"

PlayerModel::PlayerModel(const QString &name, qint32 protocol, quint8 tcpLink, quint8 minId,
                         quint8 maxId, quint8 folderBanks, qint32 defaultBaudRate, quint16 tcpPort)
    : name(name)
    , protocol(protocol)
    , tcpLink(tcpLink)
    , minId(minId)
    , maxId(maxId)
    , folderBanks(folderBanks)
    , defaultBaudRate(defaultBaudRate)
    , tcpPort(tcpPort)
{}

const PlayerCommand *PlayerModel::commandOfCategory(int category) const
{
    for (const PlayerCommand &command : commands) {
        if (command.category == category)
            return &command;
    }
    return nullptr;
}

const PlayerCommand *PlayerModel::commandByLabel(const QString &label, int category) const
{
    for (const PlayerCommand &command : commands) {
        if (command.label == label && (category < 0 || command.category == category))
            return &command;
    }
    return nullptr;
}
