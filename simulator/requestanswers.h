#pragma once

#include "catalogue/playercommand.h"
#include "simulator/devicestate.h"

#include <QString>

// The device's answer to a request, without its line ending: the request's label in capitals,
// a colon and the value asked for ("PLAYER STATUS: PLAYING FOLDER 007", "VOLUME: 40").
// Values the device does not keep are answered "NONE".
QString requestAnswer(const PlayerCommand &request, const DeviceState &state);
