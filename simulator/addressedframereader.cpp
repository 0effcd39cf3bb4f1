#include "simulator/addressedframereader.h"

namespace {

const quint8 idFlag = 0x80;

quint8 byteAt(const QByteArray &buffer, int index)
{
    return static_cast<quint8>(buffer.at(index));
}

} // namespace

AddressedFrameReader::AddressedFrameReader(const PlayerModel &model)
    : m_matcher(model)
{}

FrameRead AddressedFrameReader::read(const QByteArray &buffer, int position, bool atEnd) const
{
    if (byteAt(buffer, position) < idFlag)
        return {};
    if (buffer.size() - position < 2)
        return needMoreOrNothing(atEnd);
    const quint8 code = byteAt(buffer, position + 1);
    if (code >= idFlag)
        return {};
    const int longest = m_matcher.longestDataLength(code);
    if (longest < 0)
        return {};

    const int dataStart = position + 2;
    int count = 0;
    while (count < longest && dataStart + count < buffer.size() &&
           byteAt(buffer, dataStart + count) < idFlag)
        ++count;
    const bool endedByIdByte = dataStart + count < buffer.size() && count < longest;
    if (count < longest && !endedByIdByte && !atEnd)
        return {FrameRead::NeedMore, {}};

    // Data bytes left over after the longest command that fits are not part of the frame.
    for (int length = count; length >= 0; --length) {
        // A view into the buffer: most positions of a garbled stream match nothing.
        const QByteArray data = QByteArray::fromRawData(buffer.constData() + dataStart, length);
        for (int index : m_matcher.candidates(code)) {
            DecodedFrame frame;
            if (m_matcher.dataLength(index) != length || !m_matcher.match(index, code, data, frame))
                continue;
            frame.bytes = buffer.mid(position, 2 + length);
            frame.playerId = byteAt(buffer, position) - idFlag;
            return {FrameRead::Frame, frame};
        }
    }
    return {};
}
