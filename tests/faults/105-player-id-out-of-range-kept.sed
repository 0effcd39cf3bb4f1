# A player ID the model does not take is kept, and its frames would go to no player.
# file: players/playersfile.cpp
s/if (player.id \&\& (\*player.id < model->minId || \*player.id > model->maxId))/if (player.id \&\& *player.id < 0)/
