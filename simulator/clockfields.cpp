#include "simulator/clockfields.h"

#include "catalogue/commandcategory.h"

namespace {

int byteAt(const QByteArray &data, int index)
{
    return static_cast<quint8>(data.at(index));
}

bool readDate(const QByteArray &data, int from, ClockValues &clock)
{
    clock.year = byteAt(data, from);
    clock.month = byteAt(data, from + 1);
    clock.day = byteAt(data, from + 2);
    return clock.year <= 99 && clock.month >= 1 && clock.month <= 12 && clock.day >= 1 &&
           clock.day <= 31;
}

bool readTime(const QByteArray &data, int from, ClockValues &clock)
{
    clock.hour = byteAt(data, from);
    clock.minute = byteAt(data, from + 1);
    clock.second = byteAt(data, from + 2);
    return clock.hour <= 23 && clock.minute <= 59 && clock.second <= 59;
}

// Five groups of seven bits, most significant first.
bool readEpoch(const QByteArray &data, ClockValues &clock)
{
    qint64 seconds = 0;
    for (char group : data) {
        if (static_cast<quint8>(group) > 0x7F)
            return false;
        seconds = (seconds << 7) | static_cast<quint8>(group);
    }
    clock.epochSeconds = seconds;
    return true;
}

} // namespace

bool isClockCategory(int category)
{
    return category >= CommandCategory::SetTime && category <= CommandCategory::SetUtcDateTime;
}

std::optional<ClockValues> clockFields(int category, const QByteArray &data)
{
    ClockValues clock;
    bool fits = false;
    switch (category) {
    case CommandCategory::SetTime:
        fits = data.size() == 3 && readTime(data, 0, clock);
        break;
    case CommandCategory::SetDate:
        fits = data.size() == 3 && readDate(data, 0, clock);
        break;
    case CommandCategory::SetDateTime:
    case CommandCategory::SetUtcDateTime:
        fits = data.size() == 6 && readDate(data, 0, clock) && readTime(data, 3, clock);
        break;
    case CommandCategory::SetUtcEpoch:
        fits = data.size() == 5 && readEpoch(data, clock);
        break;
    default:
        break;
    }
    if (!fits)
        return std::nullopt;
    return clock;
}
