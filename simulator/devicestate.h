#pragma once

#include <QString>

// What the simulated device remembers between frames.
struct DeviceState
{
    enum class Playback
    {
        Stopped,
        Playing,
        Paused
    };

    Playback playback = Playback::Stopped;
    int folder = 0;
    int file = 1;
    // What plays instead of a folder (a web radio preset, another source), as the status
    // names it; empty while a folder plays.
    QString source;
    // In the console's scale, the slider value.
    int volume = 0;
    bool muted = false;
    bool standby = false;
    int playerId = 0;
};
