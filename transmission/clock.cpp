#include "transmission/clock.h"

ClockReading readClock()
{
    const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
    const QDateTime instant = QDateTime::fromMSecsSinceEpoch(msecs);
    return {instant.toLocalTime(), instant.toUTC(), msecs};
}
