#include "transmission/clock.h"

namespace {
ClockReading systemClock()
{
    const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
    const QDateTime instant = QDateTime::fromMSecsSinceEpoch(msecs);
    return {instant.toLocalTime(), instant.toUTC(), msecs};
}

ClockSource currentSource = systemClock;
} // namespace

ClockReading readClock()
{
    return currentSource();
}

void setClockSource(ClockSource source)
{
    currentSource = source ? source : systemClock;
}
