#pragma once

#include "simulator/framereader.h"

#include <QByteArray>

// Walks the zero-terminated texts of a message. The first step that finds the bytes missing
// or wrong stops it, and every later step then does nothing.
class TextCursor
{
public:
    TextCursor(const QByteArray &buffer, int position, bool atEnd);

    // The next bytes are `count` zero bytes.
    void expectZeros(int count);
    // The text up to the next zero byte, which is passed; longer texts stop the cursor, so
    // that garbage without zero bytes is given up early.
    QByteArray text(int maxLength);

    bool stopped() const { return m_outcome != FrameRead::Frame; }
    // NeedMore or NoFrame once stopped.
    FrameRead::Outcome outcome() const { return m_outcome; }
    void fail() { m_outcome = FrameRead::NoFrame; }
    int position() const { return m_position; }

private:
    void runOut();

    const QByteArray &m_buffer;
    int m_position;
    bool m_atEnd;
    FrameRead::Outcome m_outcome = FrameRead::Frame;
};
