#pragma once

#include "simulator/commandmatcher.h"
#include "simulator/framereader.h"

// ID byte, code byte, data bytes. The ID byte is the only byte with its top bit set, so a
// frame starts at such a byte and ends, at the latest, before the next one.
class AddressedFrameReader : public FrameReader
{
public:
    explicit AddressedFrameReader(const PlayerModel &model);

    FrameRead read(const QByteArray &buffer, int position, bool atEnd) const override;

private:
    CommandMatcher m_matcher;
};
