#pragma once

#include "simulator/framereaders.h"

// Turns the bytes of one stream, as they arrive in reads of any size, into frames. Bytes that
// form no frame come out as undecodable frames, in runs of at most `longestUndecodableRun`
// bytes, in their place in the stream: nothing is dropped. The result does not depend on how
// the stream was cut into reads.
class FrameStreamDecoder
{
public:
    static constexpr int longestUndecodableRun = 32;

    explicit FrameStreamDecoder(const PlayerModel &model);

    // The frames that these bytes complete. Bytes that may still begin a frame wait for the
    // next call.
    QVector<DecodedFrame> feed(const QByteArray &bytes);
    // Everything still waiting: the stream has ended, or paused for longer than a frame takes.
    QVector<DecodedFrame> flush();
    bool hasPending() const { return !m_buffer.isEmpty() || !m_undecodable.isEmpty(); }

private:
    QVector<DecodedFrame> decode(bool atEnd);
    void reportUndecodable(QVector<DecodedFrame> &frames);

    PlayerModel m_model;
    FrameReader m_read;
    QByteArray m_buffer;
    QByteArray m_undecodable;
};
