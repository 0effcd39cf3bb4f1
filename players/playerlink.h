#pragma once

#include "link/linktarget.h"
#include "players/playersfile.h"
#include "transmission/controlframe.h"

#include <optional>

// How a saved player is reached and addressed: its model in the catalogue, its link and the ID
// byte its frames carry.
struct PlayerLink
{
    int modelIndex = -1;
    LinkTarget target;
    quint8 idByte = 0x80;
};

// Nothing for a player whose model the catalogue does not list. The model's own TCP port, the
// model's default baud rate and lowest ID where the player names none.
std::optional<PlayerLink> playerLink(const SavedPlayer &player,
                                     const PlayerCatalogueList &catalogue);

// The request that asks a model's player how it is: the first of its requests. Nothing for a
// model without requests, whose link opening is all that a check can tell.
std::optional<OutgoingFrame> statusRequest(const PlayerModel &model, quint8 idByte);
