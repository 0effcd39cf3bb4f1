#pragma once

#include "catalogue/playermodel.h"
#include "simulator/decodedframe.h"

#include <QByteArray>

#include <memory>

// What a reader found at one position of the bytes received.
struct FrameRead
{
    enum Outcome
    {
        Frame,    // `frame` holds a decoded frame of `frame.bytes.size()` bytes
        NeedMore, // the bytes so far may still become a frame
        NoFrame,  // no frame starts here
    };
    Outcome outcome = NoFrame;
    DecodedFrame frame;
};

// Reads the frames of one protocol family. The protocol has no framing of its own, so each
// family finds frame boundaries from what it knows of its commands.
class FrameReader
{
public:
    virtual ~FrameReader() = default;

    // One frame starting at `position` of `buffer`. With `atEnd` no more bytes will come, so
    // a frame that is still short is not waited for.
    virtual FrameRead read(const QByteArray &buffer, int position, bool atEnd) const = 0;

protected:
    static FrameRead needMoreOrNothing(bool atEnd)
    {
        return {atEnd ? FrameRead::NoFrame : FrameRead::NeedMore, {}};
    }
};

// The reader of the model's family: addressed, unaddressed, or the on-demand text envelopes.
std::unique_ptr<FrameReader> frameReaderFor(const PlayerModel &model);
