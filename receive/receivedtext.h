#pragma once

#include <QByteArray>
#include <QString>

enum class ReceiveMode
{
    Ascii,
    Hexadecimal,
    Decimal
};

// What one link has received of a UTF-8 sequence that is not complete yet. Each link keeps its
// own, because a device may send a character in two reads; Clear and a new connection reset it.
struct ReceiveDecoderState
{
    char32_t partial = 0;
    int missingBytes = 0;
    // Range allowed for the next continuation byte, narrower after some lead bytes so that
    // overlong forms, surrogates and values above U+10FFFF are refused.
    quint8 nextLowest = 0x80;
    quint8 nextHighest = 0xBF;

    bool isPending() const { return missingBytes > 0; }
    void reset() { *this = ReceiveDecoderState(); }
};

// The text to append to the display for one received chunk. In ASCII mode the chunk is decoded
// as UTF-8, carrying an unfinished sequence to the next call; ill-formed input shows as U+FFFD,
// and a zero byte stays a zero character, which the view shows as a symbol of its own, so that
// every byte leaves a trace.
QString renderReceivedChunk(const QByteArray &chunk, ReceiveMode mode, ReceiveDecoderState &state);
