#pragma once

#include "simulator/commandmatcher.h"
#include "simulator/framereader.h"

// Code byte, data bytes, nothing to mark where a frame starts: a position starts a frame when
// the bytes from there form a whole command of the model.
class UnaddressedFrameReader : public FrameReader
{
public:
    explicit UnaddressedFrameReader(const PlayerModel &model);

    FrameRead read(const QByteArray &buffer, int position, bool atEnd) const override;

private:
    CommandMatcher m_matcher;
};
