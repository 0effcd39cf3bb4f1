#pragma once

#include "simulator/decodedframe.h"

#include <QByteArray>

#include <optional>

// Categories whose stored bytes stand in for the date and time of the moment of sending.
bool isClockCategory(int category);

// The fields that the bytes of a clock command carry; nothing when their count or a value does
// not fit (an hour of 24, a month of 0, an epoch group with its top bit set).
std::optional<ClockValues> clockFields(int category, const QByteArray &data);
