#include "timeline/localclock.h"

#include <limits>

std::function<QDateTime()> localClock()
{
    return [second = std::numeric_limits<qint64>::min(), offset = 0]() mutable {
        const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
        if (msecs / 1000 != second) {
            second = msecs / 1000;
            offset = QDateTime::fromMSecsSinceEpoch(msecs).offsetFromUtc();
        }
        return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, offset);
    };
}
