#include "simulator/framereaders.h"

#include <QHash>

namespace {

using namespace CommandCategory;

const quint8 idFlag = 0x80;
const int highestFolder = 999;

// The lowest and highest value of each data byte where it is not the catalogue's: the fields
// of the clock commands, whose stored bytes only stand in for the moment of sending.
const QHash<int, std::pair<ByteList, ByteList>> clockRanges{
    {SetTime, {{0, 0, 0}, {23, 59, 59}}},
    {SetDate, {{0, 1, 1}, {99, 12, 31}}},
    {SetDateTime, {{0, 1, 1, 0, 0, 0}, {99, 12, 31, 23, 59, 59}}},
    {SetUtcDateTime, {{0, 1, 1, 0, 0, 0}, {99, 12, 31, 23, 59, 59}}},
    // Five groups of seven bits.
    {SetUtcEpoch, {ByteList(5, 0x00), ByteList(5, 0x7F)}},
};

quint8 byteAt(const QByteArray &bytes, int index)
{
    return static_cast<quint8>(bytes.at(index));
}

// The numbers that `data` carries for the command, nothing when a byte is out of its range.
// Each byte whose range holds more than one value is a number, except that the unaddressed
// family reads bytes 0 and 1 as one, high byte first.
std::optional<QVector<int>> numbersOf(const PlayerCommand &command, int protocol,
                                      const QByteArray &data)
{
    const auto [low, high] =
        clockRanges.value(command.category, {command.dataMin, command.dataMax});
    if (data.size() != low.size())
        return std::nullopt;
    QVector<int> numbers;
    int index = 0;
    if (protocol == 1 && data.size() >= 2) {
        const int word = byteAt(data, 0) * 256 + byteAt(data, 1);
        if (word < low.at(0) * 256 + low.at(1) || word > high.at(0) * 256 + high.at(1))
            return std::nullopt;
        if (low.mid(0, 2) != high.mid(0, 2))
            numbers << word;
        index = 2;
    }
    for (; index < data.size(); ++index) {
        if (byteAt(data, index) < low.at(index) || byteAt(data, index) > high.at(index))
            return std::nullopt;
        if (low.at(index) != high.at(index))
            numbers << byteAt(data, index);
    }
    return numbers;
}

// The bank that the code selects for the command: 0 for its own code, 1 and up for a folder
// command's code plus the bank in the upper four bits; -1 when the code is not the command's.
int bankOf(const PlayerModel &model, const PlayerCommand &command, quint8 code)
{
    const auto offset = static_cast<quint8>(code - command.code);
    const int bank = offset / 16;
    if (offset % 16 != 0 || (bank > 0 && (command.category != Folder || bank >= model.folderBanks)))
        return -1;
    return bank;
}

// The longest data of the commands that this code may belong to; -1 when there is none.
int longestData(const PlayerModel &model, quint8 code)
{
    int longest = -1;
    for (const PlayerCommand &command : model.commands) {
        if (bankOf(model, command, code) >= 0)
            longest = qMax(longest, command.dataMin.size());
    }
    return longest;
}

// The longest command, the first in catalogue order among equals, whose code and data stand at
// `codeAt` of the buffer with at most `available` data bytes; the frame begins at `frameAt`.
FrameRead longestMatch(const PlayerModel &model, const QByteArray &buffer, int frameAt, int codeAt,
                       int available)
{
    const quint8 code = byteAt(buffer, codeAt);
    FrameRead read;
    for (const PlayerCommand &command : model.commands) {
        const int length = command.dataMin.size();
        const int bank = bankOf(model, command, code);
        if (bank < 0 || length > available ||
            (read.frame.command && length <= read.frame.command->dataMin.size()))
            continue;
        // A view into the buffer: most positions of a garbled stream match nothing.
        const auto data = QByteArray::fromRawData(buffer.constData() + codeAt + 1, length);
        std::optional<QVector<int>> numbers = numbersOf(command, model.protocol, data);
        if (numbers && command.category == Folder) {
            const int folder = bank * 128 + numbers->value(0);
            numbers = folder <= highestFolder ? std::optional(QVector<int>{folder}) : std::nullopt;
        }
        if (!numbers)
            continue;
        read = {FrameRead::Frame,
                {buffer.mid(frameAt, codeAt + 1 + length - frameAt),
                 command,
                 std::nullopt,
                 *numbers,
                 {},
                 {}}};
    }
    return read;
}

} // namespace

FrameRead readAddressed(const PlayerModel &model, const QByteArray &buffer, int position,
                        bool atEnd)
{
    if (byteAt(buffer, position) < idFlag)
        return {};
    if (buffer.size() - position < 2)
        return {atEnd ? FrameRead::NoFrame : FrameRead::NeedMore, {}};
    const quint8 code = byteAt(buffer, position + 1);
    const int longest = code < idFlag ? longestData(model, code) : -1;
    if (longest < 0)
        return {};

    const int dataAt = position + 2;
    int count = 0;
    while (count < longest && dataAt + count < buffer.size() &&
           byteAt(buffer, dataAt + count) < idFlag)
        ++count;
    if (count < longest && dataAt + count == buffer.size() && !atEnd)
        return {FrameRead::NeedMore, {}};
    // Data bytes left over after the longest command that fits are not part of the frame.
    FrameRead read = longestMatch(model, buffer, position, position + 1, count);
    if (read.outcome == FrameRead::Frame)
        read.frame.playerId = byteAt(buffer, position) - idFlag;
    return read;
}

FrameRead readUnaddressed(const PlayerModel &model, const QByteArray &buffer, int position,
                          bool atEnd)
{
    const int longest = longestData(model, byteAt(buffer, position));
    const int available = buffer.size() - position - 1;
    if (longest < 0)
        return {};
    if (available < longest && !atEnd)
        return {FrameRead::NeedMore, {}};
    return longestMatch(model, buffer, position, position, qMin(available, longest));
}
