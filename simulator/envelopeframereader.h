#pragma once

#include "simulator/framereader.h"

#include <QBitArray>

class TextCursor;

// The on-demand model's messages: the code byte, 00 00 00, then zero-terminated texts: the verb
// ("cmd", "get" or "set") and its arguments. The first argument names the command or the value,
// and the command tells how many arguments follow.
class EnvelopeFrameReader : public FrameReader
{
public:
    explicit EnvelopeFrameReader(const PlayerModel &model);

    FrameRead read(const QByteArray &buffer, int position, bool atEnd) const override;

private:
    bool readNamed(quint8 code, bool request, TextCursor &cursor, DecodedFrame &frame) const;
    bool readCommand(quint8 code, TextCursor &cursor, DecodedFrame &frame) const;
    bool readRequest(quint8 code, TextCursor &cursor, DecodedFrame &frame) const;
    bool readSetting(quint8 code, TextCursor &cursor, DecodedFrame &frame) const;
    bool readArguments(const PlayerCommand &command, TextCursor &cursor, DecodedFrame &frame) const;

    PlayerModel m_model;
    QBitArray m_codes;
};
