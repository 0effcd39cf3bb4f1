#include "simulator/commandmatcher.h"

#include "simulator/clockfields.h"

namespace {

const int highestFolder = 999;

quint8 byteAt(const QByteArray &data, int index)
{
    return static_cast<quint8>(data.at(index));
}

// Every byte from `from` on as stored, or within its range where it is a parameter.
bool restFits(const PlayerCommand &command, const QByteArray &data, int from)
{
    for (int i = from; i < data.size(); ++i) {
        if (byteAt(data, i) < command.dataMin.at(i) || byteAt(data, i) > command.dataMax.at(i))
            return false;
    }
    return true;
}

int bigEndian(const QByteArray &data)
{
    return byteAt(data, 0) * 256 + byteAt(data, 1);
}

// Bytes 0 and 1 as one 16-bit number within the command's 16-bit range.
std::optional<int> wideParameter(const PlayerCommand &command, const QByteArray &data)
{
    if (data.size() < 2)
        return std::nullopt;
    const int value = bigEndian(data);
    if (value < command.wordMin() || value > command.wordMax())
        return std::nullopt;
    return value;
}

bool matchFolder(const PlayerCommand &command, quint8 code, const QByteArray &data,
                 DecodedFrame &frame)
{
    const int bank = static_cast<quint8>(code - command.code) / 16;
    if (data.isEmpty() || !restFits(command, data, 0))
        return false;
    const int folder = bank * 128 + byteAt(data, 0);
    if (folder > highestFolder)
        return false;
    frame.folder = folder;
    return true;
}

bool matchVolume(const PlayerCommand &command, int protocol, const QByteArray &data,
                 DecodedFrame &frame)
{
    if (protocol == 0) {
        if (data.isEmpty() || !restFits(command, data, 0))
            return false;
        frame.volume = byteAt(data, 0);
        return true;
    }
    const std::optional<int> volume = wideParameter(command, data);
    if (!volume || !restFits(command, data, 2))
        return false;
    frame.volume = volume;
    return true;
}

bool matchContent(const PlayerCommand &command, const QByteArray &data, DecodedFrame &frame)
{
    const std::optional<int> number = wideParameter(command, data);
    if (!number || !restFits(command, data, 2))
        return false;
    switch (command.category) {
    case CommandCategory::Webradio:
        frame.preset = number;
        break;
    case CommandCategory::ContentFolderOption:
        if (data.size() < 3)
            return false;
        frame.option = byteAt(data, 2);
        frame.reference = number;
        break;
    default:
        frame.reference = number;
        break;
    }
    return true;
}

bool matchRelays(const PlayerCommand &command, const QByteArray &data, DecodedFrame &frame)
{
    if (data.size() < 2 || !restFits(command, data, 0))
        return false;
    int relays = 0;
    for (int group = 0; group < 2; ++group)
        relays |= ((byteAt(data, group) - command.dataMin.at(group)) & 0x0F) << (4 * group);
    frame.relays = relays;
    return true;
}

} // namespace

CommandMatcher::CommandMatcher(const PlayerModel &model)
    : m_model(model)
    , m_byCode(256)
{
    for (int index = 0; index < m_model.commands.size(); ++index) {
        const PlayerCommand &command = m_model.commands.at(index);
        if (command.category != CommandCategory::Folder) {
            m_byCode[command.code].append(index);
            continue;
        }
        // The bank rides in the upper four bits of the code.
        for (int bank = 0; bank < m_model.folderBanks && bank * 128 <= highestFolder; ++bank)
            m_byCode[static_cast<quint8>(command.code + 16 * bank)].append(index);
    }
}

int CommandMatcher::dataLength(int commandIndex) const
{
    return m_model.commands.at(commandIndex).dataMin.size();
}

int CommandMatcher::longestDataLength(quint8 code) const
{
    int longest = -1;
    for (int index : candidates(code))
        longest = qMax(longest, dataLength(index));
    return longest;
}

bool CommandMatcher::match(int commandIndex, quint8 code, const QByteArray &data,
                           DecodedFrame &frame) const
{
    const PlayerCommand &command = m_model.commands.at(commandIndex);
    if (data.size() != command.dataMin.size())
        return false;
    bool fits = false;
    switch (command.category) {
    case CommandCategory::Folder:
        fits = matchFolder(command, code, data, frame);
        break;
    case CommandCategory::Volume:
        fits = matchVolume(command, m_model.protocol, data, frame);
        break;
    case CommandCategory::ChangeId:
        fits = !data.isEmpty() && restFits(command, data, 0);
        if (fits)
            frame.newId = byteAt(data, 0);
        break;
    case CommandCategory::ContentFolder:
    case CommandCategory::ContentFolderOption:
    case CommandCategory::Webradio:
        fits = matchContent(command, data, frame);
        break;
    case CommandCategory::Relay:
        fits = matchRelays(command, data, frame);
        break;
    default:
        if (isClockCategory(command.category)) {
            frame.clock = clockFields(command.category, data);
            fits = frame.clock.has_value();
        } else {
            fits = restFits(command, data, 0);
        }
        break;
    }
    if (!fits)
        return false;
    frame.decoded = true;
    frame.commandIndex = commandIndex;
    frame.label = command.label;
    frame.category = command.category;
    return true;
}
