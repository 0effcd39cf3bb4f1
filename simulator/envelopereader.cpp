#include "simulator/framereaders.h"
#include "transmission/envelope.h"

#include <algorithm>
#include <cstring>

namespace {

using namespace CommandCategory;

const int longestVerb = 3;
const int longestText = 64;
const int longestNumber = 6;

// Walks the zero-terminated texts of a message. The first text found missing or wrong stops
// the walk, and every later text is then empty.
struct TextWalk
{
    const QByteArray &buffer;
    int position;
    bool atEnd;
    FrameRead::Outcome outcome = FrameRead::Frame;

    // The text up to the next zero byte, which is passed. A longer text than `maxLength` stops
    // the walk, so that garbage without zero bytes is given up early.
    QByteArray next(int maxLength = longestText)
    {
        if (outcome != FrameRead::Frame)
            return {};
        const int window = qMin(buffer.size() - position, maxLength + 1);
        const char *start = buffer.constData() + position;
        const auto *zero = static_cast<const char *>(std::memchr(start, '\0', size_t(window)));
        if (!zero) {
            outcome = window > maxLength || atEnd ? FrameRead::NoFrame : FrameRead::NeedMore;
            return {};
        }
        position += int(zero - start) + 1;
        return QByteArray(start, int(zero - start));
    }
};

// A decimal number as the console writes it: digits only, or with a leading minus if signed.
std::optional<int> numberIn(const QByteArray &text, bool isSigned)
{
    const QByteArray digits = isSigned && text.startsWith('-') ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > longestNumber ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return text.toInt();
}

// A playback command's two unused arguments, or a playback source's number (within the
// catalogue's range, "0" where the source takes none) and its closing "0".
bool readArguments(const PlayerCommand &command, TextWalk &texts, DecodedFrame &frame)
{
    const bool playback = command.category == Play || command.category == Stop ||
                          command.category == NextFile || command.category == PreviousFile;
    const bool source = command.category == ContentFolder || command.category == Webradio ||
                        command.category == AlternateSource;
    if (!playback && !source)
        return true;
    frame.texts << texts.next() << texts.next();
    const QByteArray &number = frame.texts.at(1);
    if (playback)
        return number == Envelope::unusedArgument && frame.texts.at(2) == Envelope::unusedArgument;
    if (frame.texts.at(2) != Envelope::noNumber)
        return false;
    if (command.wordMin() == command.wordMax())
        return number == Envelope::noNumber;
    const std::optional<int> value = numberIn(number, false);
    if (!value || *value < command.wordMin() || *value > command.wordMax())
        return false;
    frame.numbers << *value;
    return true;
}

// "cmd" and "get" name their command by the text that the catalogue stores for it.
bool readNamed(const PlayerModel &model, quint8 code, TextWalk &texts, DecodedFrame &frame)
{
    const QByteArray name = texts.next();
    const bool request = frame.verb == Envelope::requestVerb;
    if (texts.outcome != FrameRead::Frame)
        return false;
    for (const PlayerCommand &command : model.commands) {
        if (command.code != code || (command.category == Request) != request ||
            !command.holdsText() || command.storedText() != name)
            continue;
        frame.command = command;
        frame.texts = {name};
        return readArguments(command, texts, frame);
    }
    return false;
}

// "set" sets the volume, in the device's scale.
bool readSetting(const PlayerModel &model, quint8 code, TextWalk &texts, DecodedFrame &frame)
{
    frame.texts << texts.next() << texts.next(longestNumber + 1);
    if (texts.outcome != FrameRead::Frame || frame.texts.at(0) != Envelope::volumeName)
        return false;
    for (const PlayerCommand &command : model.commands) {
        if (command.code != code || command.category != Volume || command.dataMin.size() < 2)
            continue;
        const std::optional<int> level = numberIn(frame.texts.at(1), true);
        if (!level || *level + Envelope::volumeOffset < command.wordMin() ||
            *level + Envelope::volumeOffset > command.wordMax())
            return false;
        frame.command = command;
        frame.numbers = {*level + Envelope::volumeOffset};
        return true;
    }
    return false;
}

} // namespace

FrameRead readEnvelope(const PlayerModel &model, const QByteArray &buffer, int position, bool atEnd)
{
    const auto code = static_cast<quint8>(buffer.at(position));
    if (std::none_of(model.commands.begin(), model.commands.end(),
                     [code](const PlayerCommand &command) { return command.code == code; }))
        return {};
    TextWalk texts{buffer, position + 1, atEnd};
    for (int zero = 0; zero < Envelope::zeroBytes; ++zero)
        texts.next(0);
    DecodedFrame frame;
    frame.verb = texts.next(longestVerb);
    bool fits = false;
    if (frame.verb == Envelope::commandVerb || frame.verb == Envelope::requestVerb)
        fits = readNamed(model, code, texts, frame);
    else if (frame.verb == Envelope::settingVerb)
        fits = readSetting(model, code, texts, frame);
    if (texts.outcome != FrameRead::Frame)
        return {texts.outcome, {}};
    if (!fits)
        return {};
    frame.bytes = buffer.mid(position, texts.position - position);
    return {FrameRead::Frame, frame};
}
