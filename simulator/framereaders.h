#pragma once

#include "catalogue/playermodel.h"

#include <QByteArray>
#include <QList>
#include <QVector>

#include <optional>

// One frame read from the line: the bytes it was made of and, when they form a command of the
// model, that command and the numbers that its parameters carry. Undecodable bytes keep only
// `bytes`.
struct DecodedFrame
{
    QByteArray bytes;
    std::optional<PlayerCommand> command;
    // Addressed family only: the ID byte minus 0x80.
    std::optional<int> playerId;
    // As the console counts them: a folder with its bank (bank * 128 + number), a volume in the
    // slider's scale. Clock commands carry their fields, in the order sent.
    QVector<int> numbers;
    // The on-demand model's envelope: its verb and texts.
    QByteArray verb;
    QList<QByteArray> texts;
};

// What a reader found at one position of the bytes received.
struct FrameRead
{
    enum Outcome
    {
        Frame,    // `frame` holds a decoded frame
        NeedMore, // the bytes so far may still become a frame
        NoFrame,  // no frame starts here
    };
    Outcome outcome = NoFrame;
    DecodedFrame frame;
};

// The protocol has no framing of its own: each family finds frame boundaries from what the
// catalogue knows of the model's commands. A reader reads one frame starting at `position`;
// with `atEnd` no more bytes will come, so a frame that is still short is not waited for.
using FrameReader = FrameRead (*)(const PlayerModel &model, const QByteArray &buffer, int position,
                                  bool atEnd);

// ID byte, code byte, data bytes. The ID byte is the only byte with its top bit set, so a
// frame starts at such a byte and ends, at the latest, before the next one.
FrameRead readAddressed(const PlayerModel &model, const QByteArray &buffer, int position,
                        bool atEnd);
// Code byte, data bytes, nothing to mark where a frame starts: a position starts a frame when
// the bytes from there form a whole command of the model.
FrameRead readUnaddressed(const PlayerModel &model, const QByteArray &buffer, int position,
                          bool atEnd);
// The on-demand model's messages (transmission/envelope.h): the first text after the verb
// names the command or the value, and the command tells how many texts follow.
FrameRead readEnvelope(const PlayerModel &model, const QByteArray &buffer, int position,
                       bool atEnd);
