#pragma once

#include "catalogue/playercatalogue.h"

#include <QtGlobal>

// A catalogue model by name, as the example tables name them; "NAME + relays" gives the model
// the relay command that no model of the catalogue has.
inline PlayerModel modelNamed(const QString &name)
{
    const QString withRelays = QStringLiteral(" + relays");
    const QString base = name.endsWith(withRelays) ? name.chopped(withRelays.size()) : name;
    for (PlayerModel model : buildCatalogueModels()) {
        if (model.name != base)
            continue;
        if (base != name) {
            model.commands.append(
                PlayerCommand("Relays", CommandCategory::Relay, 0x16, {0x00, 0x00}, {0x0F, 0x0F}));
        }
        return model;
    }
    qFatal("no model named %s", qPrintable(name));
}
