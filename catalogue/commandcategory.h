#pragma once

// Which control of the window uses a command. Stored as a plain int in
// PlayerCommand so that values outside this list stay representable.
namespace CommandCategory {
enum Value : int
{
    Folder = 1,
    PreviousFolder = 2,
    PreviousFile = 3,
    Play = 4,
    Stop = 5,
    Pause = 6,
    NextFile = 7,
    NextFolder = 8,
    Volume = 9,
    Request = 10,
    ChangeId = 11,
    StandbyWakeup = 12,
    VolumeUp = 13,
    VolumeDown = 14,
    Standby = 15,
    Wakeup = 16,
    PauseOnly = 17,
    Resume = 18,
    MuteToggle = 19,
    Mute = 20,
    Unmute = 21,
    Relay = 22,
    ContentFolder = 23,
    ContentFolderOption = 24,
    Webradio = 25,
    AlternateSource = 26,
    SetTime = 27,
    SetDate = 28,
    SetDateTime = 29,
    SetUtcEpoch = 30,
    SetUtcDateTime = 31,
    Ntp = 32,
    Misc = 99,
};
} // namespace CommandCategory
