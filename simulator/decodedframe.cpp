#include "simulator/decodedframe.h"

bool ClockValues::operator==(const ClockValues &other) const
{
    return year == other.year && month == other.month && day == other.day && hour == other.hour &&
           minute == other.minute && second == other.second && epochSeconds == other.epochSeconds;
}

bool DecodedFrame::operator==(const DecodedFrame &other) const
{
    return bytes == other.bytes && decoded == other.decoded && playerId == other.playerId &&
           commandIndex == other.commandIndex && label == other.label &&
           category == other.category && folder == other.folder && volume == other.volume &&
           newId == other.newId && reference == other.reference && option == other.option &&
           preset == other.preset && relays == other.relays && clock == other.clock &&
           verb == other.verb && texts == other.texts;
}
