# A saved player's ID is forgotten: its status request goes to the lowest ID.
# file: players/playerlink.cpp
s/player.id.value_or(model.minId)/model.minId/
