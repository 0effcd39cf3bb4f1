#pragma once

#include "transmission/namedcontrols.h"

#include <QStringList>

// A command as typed on the command line, resolved for a model: the control it presses, or
// why none (the message names what the model allows).
struct ResolvedCommand
{
    std::optional<Control> control;
    QString error;
};

// A number typed as decimal digits alone, if it fits an int: no sign, no spaces ("+5" is no
// number here, as it is no folder in the window).
std::optional<int> decimalNumber(const QString &text);

// `text` is a control's name, in any case, followed by its parameters in decimal:
// "play", "Folder 130", "MUSIC folder (Random) 12".
ResolvedCommand resolveCommand(const PlayerModel &model, const QString &text);

// How a control is typed: its name, then each parameter's range ("Folder <0-999>").
QString commandUsage(const NamedControl &named);

// How the control, as pressed, is typed: its name and its parameters ("Folder 130"); none for
// a control that has no name to be typed (the relays).
std::optional<QString> typedCommand(const PlayerModel &model, const Control &control);

// The usage of every control of the model, one a line, in catalogue order.
QStringList commandUsages(const PlayerModel &model);
