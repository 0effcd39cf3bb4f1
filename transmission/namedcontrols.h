#pragma once

#include "modelselection/modelpanels.h"
#include "transmission/controlframe.h"

// The values that a control's parameter may take, both included.
struct ParameterRange
{
    int minimum = 0;
    int maximum = 0;
};

// A control that the window offers for a model, under the name a technician knows it by: the
// catalogue label of its command, or "Folder", "Volume" and "Change ID" for the controls that
// take a number. Parameters follow the name: a folder, a volume, a new ID, a reference, an
// option, a preset.
struct NamedControl
{
    QString name;
    // The control as pressed, parameters aside.
    Control control;
    // The category of the command it sends.
    int category = 0;
    QVector<ParameterRange> parameters;
};

// A control that a model offers: the command it sends, the part of the window that shows it.
struct OfferedControl
{
    NamedControl named;
    const PlayerCommand *command = nullptr;
    CommandPanel panel = CommandPanel::None;
};

// Every control that the window shows for the model, in catalogue order: what a model offers,
// decided once for the window and the command line.
QVector<OfferedControl> offeredControls(const PlayerModel &model);

// Those of them that have a name to be typed: all but the relays, chosen by check boxes.
QVector<NamedControl> namedControls(const PlayerModel &model);

// The control with its parameters filled in, one value per range, in the order of the ranges.
Control withParameters(const NamedControl &named, const QVector<int> &values);
