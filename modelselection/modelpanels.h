#pragma once

#include "catalogue/playermodel.h"

#include <QStringList>

#include <optional>

// The part of the window that shows a command of a given category.
enum class CommandPanel
{
    None,
    Folder,
    PlaybackButton,
    Volume,
    Request,
    ChangeId,
    StandbyWakeup,
    OtherCommand,
    MuteToggle,
    Relay,
    PlaybackSource,
};

CommandPanel panelOfCategory(int category);

// A number as the window lists it: at least three digits, zero-padded ("007", "999", "1000").
QString paddedNumber(int number);

// Decimal texts of first..last, both included, padded or not.
QStringList numberEntries(int first, int last, bool padded);

QStringList baudRateEntries(const PlayerModel &model);

// The entry to make current after filling the baud-rate list: the last one equal to the
// model's default, else the first; -1 when the list is empty.
int defaultBaudRateEntry(const PlayerModel &model);

// Folder numbers offered for a folder command: its byte range once per bank, none above 999.
QStringList folderEntries(const PlayerCommand &folder, int banks);

struct VolumeRange
{
    int minimum = 0;
    int maximum = 0;
    bool operator==(const VolumeRange &other) const
    {
        return minimum == other.minimum && maximum == other.maximum;
    }
};

// The slider range of a volume command: one byte for addressed models, a 16-bit
// big-endian pair for unaddressed ones. Empty when the command is too short to tell.
std::optional<VolumeRange> volumeRange(const PlayerCommand &volume, int protocol);
