#include "players/playerlink.h"
#include "connection/linksettings.h"

std::optional<PlayerLink> playerLink(const SavedPlayer &player,
                                     const PlayerCatalogueList &catalogue)
{
    for (int index = 0; index < catalogue.size(); ++index) {
        const PlayerModel &model = catalogue.at(index);
        if (model.name != player.model)
            continue;
        PlayerLink link;
        link.modelIndex = index;
        link.idByte = idByteFor(QString::number(player.id.value_or(model.minId)), true);
        // Written by hand, "010.0.0.1" is still ten: the socket would read it as octal.
        const auto numbers = dottedAddress(player.address);
        const QString host =
            numbers ? hostText(numbers->at(0), numbers->at(1), numbers->at(2), numbers->at(3))
                    : player.address;
        link.target = linkTarget(model, player.address, -1, host);
        if (!model.isTcp())
            link.target.baudRate =
                acceptedBaudRate(player.baudRate.value_or(model.defaultBaudRate));
        return link;
    }
    return std::nullopt;
}

std::optional<OutgoingFrame> statusRequest(const PlayerModel &model, quint8 idByte)
{
    const PlayerCommand *request = model.commandOfCategory(CommandCategory::Request);
    if (!request)
        return std::nullopt;
    return outgoingFrame(model, idByte, entryControl(ControlKind::Request, request->label));
}
