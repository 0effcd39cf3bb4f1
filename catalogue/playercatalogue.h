#pragma once

#include "catalogue/playermodel.h"

#include <QVector>

using PlayerCatalogueList = QVector<PlayerModel>;

// The fifteen models, in catalogue order, built from the constant tables.
PlayerCatalogueList buildCatalogueModels();
