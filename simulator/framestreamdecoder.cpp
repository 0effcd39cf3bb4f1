#include "simulator/framestreamdecoder.h"

FrameStreamDecoder::FrameStreamDecoder(const PlayerModel &model)
    : m_model(model)
    , m_read(model.isOnDemand()    ? readEnvelope
             : model.protocol == 0 ? readAddressed
                                   : readUnaddressed)
{}

QVector<DecodedFrame> FrameStreamDecoder::feed(const QByteArray &bytes)
{
    m_buffer.append(bytes);
    return decode(false);
}

QVector<DecodedFrame> FrameStreamDecoder::flush()
{
    return decode(true);
}

QVector<DecodedFrame> FrameStreamDecoder::decode(bool atEnd)
{
    QVector<DecodedFrame> frames;
    int position = 0;
    while (position < m_buffer.size()) {
        FrameRead read = m_read(m_model, m_buffer, position, atEnd);
        if (read.outcome == FrameRead::NeedMore && !atEnd)
            break;
        if (read.outcome == FrameRead::Frame) {
            reportUndecodable(frames);
            position += read.frame.bytes.size();
            frames.append(std::move(read.frame));
            continue;
        }
        m_undecodable.append(m_buffer.at(position++));
        if (m_undecodable.size() == longestUndecodableRun)
            reportUndecodable(frames);
    }
    // (Emptied rather than cut when all is read: cutting would copy a buffer that is shared
    // with the caller's bytes.)
    if (position == m_buffer.size())
        m_buffer.clear();
    else
        m_buffer.remove(0, position);
    if (atEnd)
        reportUndecodable(frames);
    return frames;
}

void FrameStreamDecoder::reportUndecodable(QVector<DecodedFrame> &frames)
{
    if (m_undecodable.isEmpty())
        return;
    DecodedFrame frame;
    frame.bytes = std::exchange(m_undecodable, QByteArray());
    frames.append(frame);
    m_undecodable.reserve(longestUndecodableRun);
}
