#pragma once

#include "transmission/frames.h"

// Reads the computer's clock once.
ClockReading readClock();
