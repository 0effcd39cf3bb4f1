#include "simulator/unaddressedframereader.h"

UnaddressedFrameReader::UnaddressedFrameReader(const PlayerModel &model)
    : m_matcher(model)
{}

FrameRead UnaddressedFrameReader::read(const QByteArray &buffer, int position, bool atEnd) const
{
    const quint8 code = static_cast<quint8>(buffer.at(position));
    const int longest = m_matcher.longestDataLength(code);
    if (longest < 0)
        return {};

    const int available = buffer.size() - position - 1;
    if (available < longest && !atEnd)
        return {FrameRead::NeedMore, {}};
    for (int length = qMin(available, longest); length >= 0; --length) {
        // A view into the buffer: most positions of a garbled stream match nothing.
        const QByteArray data = QByteArray::fromRawData(buffer.constData() + position + 1, length);
        for (int index : m_matcher.candidates(code)) {
            DecodedFrame frame;
            if (m_matcher.dataLength(index) != length || !m_matcher.match(index, code, data, frame))
                continue;
            frame.bytes = buffer.mid(position, 1 + length);
            return {FrameRead::Frame, frame};
        }
    }
    return {};
}
