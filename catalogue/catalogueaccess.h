#pragma once

#include "catalogue/playercatalogue.h"

class QComboBox;

// The process-wide catalogue, filled once by the window; entry i is item i of comboBox_Player.
extern PlayerCatalogueList PlayerCatalogue;

// The model at the current index of the player list, or nullptr when none is selected.
const PlayerModel *selectedModel(const QComboBox *playerList);
