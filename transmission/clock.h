#pragma once

#include "transmission/frames.h"

// Reads the computer's clock once. Tests replace the source to fix the instant.
ClockReading readClock();

using ClockSource = ClockReading (*)();
void setClockSource(ClockSource source);
