#pragma once

#include "catalogue/playercommand.h"

#include <optional>

// Where a folder number goes in a frame: the bank into the code, the value into data byte 0.
struct FolderPosition
{
    int bank = 0;
    int value = 0;
    bool operator==(const FolderPosition &other) const
    {
        return bank == other.bank && value == other.value;
    }
};

// The folder numbers that a folder command reaches: its byte range once per bank, numbered on
// from one bank to the next, none above 999.
QVector<int> folderNumbers(const PlayerCommand &folder, int banks);

// The inverse of the numbering above; empty for a number that it does not give.
std::optional<FolderPosition> folderPosition(const PlayerCommand &folder, int banks, int number);
