#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The date and time fields of a clock command, as the bytes carry them: the year modulo 100,
// local or UTC as the command says. Fields that the command does not carry stay -1.
struct ClockValues
{
    int year = -1;
    int month = -1;
    int day = -1;
    int hour = -1;
    int minute = -1;
    int second = -1;
    qint64 epochSeconds = -1;

    bool operator==(const ClockValues &other) const;
};

// One frame read from the line: the bytes it was made of and, when they form a command of the
// model, that command and its parameters. Undecodable bytes keep only `bytes`.
struct DecodedFrame
{
    QByteArray bytes;
    bool decoded = false;

    // Addressed family only: the ID byte minus 0x80.
    std::optional<int> playerId;
    // Index in the model's commands.
    int commandIndex = -1;
    QString label;
    int category = 0;

    // Folder numbers count as the console counts them: bank * 128 + number within the bank.
    std::optional<int> folder;
    // In the console's scale (the slider value), whatever the family puts on the line.
    std::optional<int> volume;
    std::optional<int> newId;
    std::optional<int> reference;
    std::optional<int> option;
    std::optional<int> preset;
    // Bit i set: relay i + 1 is on.
    std::optional<int> relays;
    std::optional<ClockValues> clock;

    // The on-demand model's text envelope: "cmd", "get" or "set", then its texts.
    QByteArray verb;
    QList<QByteArray> texts;

    bool operator==(const DecodedFrame &other) const;
};
