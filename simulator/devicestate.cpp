#include "simulator/devicestate.h"

bool DeviceState::operator==(const DeviceState &other) const
{
    return playback == other.playback && folder == other.folder && file == other.file &&
           source == other.source && volume == other.volume && muted == other.muted &&
           standby == other.standby && playerId == other.playerId;
}
