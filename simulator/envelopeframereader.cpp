#include "simulator/envelopeframereader.h"

#include "simulator/textcursor.h"

namespace {

const int longestText = 64;
const int longestNumber = 6;
// The one value that the console sets, and the device's scale for it: -64 (lowest) to 0.
const QByteArray volumeName = QByteArrayLiteral("VolumeLocalMusic");
const int volumeOffset = 64;
// What the console adds to the number of a playback command.
const QByteArray unusedArgument = QByteArrayLiteral("255");

// A decimal number as the console writes it: digits only, or with a leading minus if signed.
std::optional<int> numberText(const QByteArray &text, bool isSigned)
{
    const QByteArray digits = isSigned && text.startsWith('-') ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > longestNumber)
        return std::nullopt;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    return text.toInt();
}

std::optional<int> wideRangeText(const PlayerCommand &command, const QByteArray &text)
{
    const std::optional<int> number = numberText(text, false);
    if (!number || *number < command.wordMin() || *number > command.wordMax())
        return std::nullopt;
    return number;
}

} // namespace

EnvelopeFrameReader::EnvelopeFrameReader(const PlayerModel &model)
    : m_model(model)
    , m_codes(256)
{
    for (const PlayerCommand &command : m_model.commands)
        m_codes.setBit(command.code);
}

FrameRead EnvelopeFrameReader::read(const QByteArray &buffer, int position, bool atEnd) const
{
    const quint8 code = static_cast<quint8>(buffer.at(position));
    if (!m_codes.testBit(code))
        return {};
    TextCursor cursor(buffer, position + 1, atEnd);
    cursor.expectZeros(3);
    const QByteArray verb = cursor.text(3);
    if (cursor.stopped())
        return {cursor.outcome(), {}};

    DecodedFrame frame;
    frame.verb = verb;
    bool fits = false;
    if (verb == "cmd")
        fits = readCommand(code, cursor, frame);
    else if (verb == "get")
        fits = readRequest(code, cursor, frame);
    else if (verb == "set")
        fits = readSetting(code, cursor, frame);
    if (cursor.stopped())
        return {cursor.outcome(), {}};
    if (!fits)
        return {};
    frame.decoded = true;
    frame.bytes = buffer.mid(position, cursor.position() - position);
    return {FrameRead::Frame, frame};
}

// A "cmd" or "get" message names its command by the text the catalogue stores for it.
bool EnvelopeFrameReader::readNamed(quint8 code, bool request, TextCursor &cursor,
                                    DecodedFrame &frame) const
{
    const QByteArray name = cursor.text(longestText);
    if (cursor.stopped())
        return false;
    for (int index = 0; index < m_model.commands.size(); ++index) {
        const PlayerCommand &command = m_model.commands.at(index);
        if (command.code != code || (command.category == CommandCategory::Request) != request ||
            !command.holdsText() || command.storedText() != name)
            continue;
        frame.commandIndex = index;
        frame.label = command.label;
        frame.category = command.category;
        frame.texts = {name};
        return true;
    }
    return false;
}

bool EnvelopeFrameReader::readCommand(quint8 code, TextCursor &cursor, DecodedFrame &frame) const
{
    return readNamed(code, false, cursor, frame) &&
           readArguments(m_model.commands.at(frame.commandIndex), cursor, frame);
}

bool EnvelopeFrameReader::readArguments(const PlayerCommand &command, TextCursor &cursor,
                                        DecodedFrame &frame) const
{
    switch (command.category) {
    case CommandCategory::PreviousFile:
    case CommandCategory::Play:
    case CommandCategory::Stop:
    case CommandCategory::NextFile:
        frame.texts << cursor.text(longestText);
        frame.texts << cursor.text(longestText);
        return frame.texts.at(1) == unusedArgument && frame.texts.at(2) == unusedArgument;
    case CommandCategory::ContentFolder:
    case CommandCategory::ContentFolderOption:
    case CommandCategory::Webradio:
    case CommandCategory::AlternateSource:
        break;
    default:
        return true;
    }

    // A playback source: its number (or "0"), then "0".
    frame.texts << cursor.text(longestText);
    frame.texts << cursor.text(longestText);
    if (cursor.stopped() || frame.texts.at(2) != "0")
        return false;
    const QByteArray &number = frame.texts.at(1);
    switch (command.category) {
    case CommandCategory::ContentFolder:
        frame.reference = wideRangeText(command, number);
        return frame.reference.has_value();
    case CommandCategory::Webradio:
        frame.preset = wideRangeText(command, number);
        return frame.preset.has_value();
    case CommandCategory::AlternateSource:
        return number == "0";
    default:
        // A folder with an option travels without its numbers over this link.
        return number.isEmpty();
    }
}

bool EnvelopeFrameReader::readRequest(quint8 code, TextCursor &cursor, DecodedFrame &frame) const
{
    return readNamed(code, true, cursor, frame);
}

bool EnvelopeFrameReader::readSetting(quint8 code, TextCursor &cursor, DecodedFrame &frame) const
{
    frame.texts << cursor.text(longestText);
    frame.texts << cursor.text(longestNumber + 1);
    if (cursor.stopped() || frame.texts.at(0) != volumeName)
        return false;
    for (int index = 0; index < m_model.commands.size(); ++index) {
        const PlayerCommand &command = m_model.commands.at(index);
        if (command.code != code || command.category != CommandCategory::Volume ||
            command.dataMin.size() < 2)
            continue;
        const std::optional<int> level = numberText(frame.texts.at(1), true);
        if (!level || *level + volumeOffset < command.wordMin() ||
            *level + volumeOffset > command.wordMax())
            return false;
        frame.commandIndex = index;
        frame.label = command.label;
        frame.category = command.category;
        frame.volume = *level + volumeOffset;
        return true;
    }
    return false;
}
