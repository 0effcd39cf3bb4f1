#include "receive/receivedtext.h"

namespace {

const QChar replacementCharacter(0xFFFD);

void appendCodePoint(QString &out, char32_t codePoint)
{
    if (QChar::requiresSurrogates(codePoint)) {
        out += QChar(QChar::highSurrogate(codePoint));
        out += QChar(QChar::lowSurrogate(codePoint));
    } else {
        out += QChar(static_cast<ushort>(codePoint));
    }
}

void startSequence(ReceiveDecoderState &state, int missing, char32_t bits, quint8 lowest,
                   quint8 highest)
{
    state.partial = bits;
    state.missingBytes = missing;
    state.nextLowest = lowest;
    state.nextHighest = highest;
}

// Each maximal ill-formed part becomes one U+FFFD, as Unicode recommends, so the count of
// replacement characters does not depend on where the reads happened to be cut.
void decodeUtf8(const QByteArray &bytes, ReceiveDecoderState &state, QString &out)
{
    for (const char byte : bytes) {
        const auto b = static_cast<quint8>(byte);
        if (state.isPending()) {
            if (b >= state.nextLowest && b <= state.nextHighest) {
                state.partial = (state.partial << 6) | (b & 0x3F);
                state.nextLowest = 0x80;
                state.nextHighest = 0xBF;
                if (--state.missingBytes == 0)
                    appendCodePoint(out, state.partial);
                continue;
            }
            out += replacementCharacter;
            state.reset();
        }
        if (b < 0x80)
            out += QChar(b);
        else if (b >= 0xC2 && b <= 0xDF)
            startSequence(state, 1, b & 0x1F, 0x80, 0xBF);
        else if (b >= 0xE0 && b <= 0xEF)
            startSequence(state, 2, b & 0x0F, b == 0xE0 ? 0xA0 : 0x80, b == 0xED ? 0x9F : 0xBF);
        else if (b >= 0xF0 && b <= 0xF4)
            startSequence(state, 3, b & 0x07, b == 0xF0 ? 0x90 : 0x80, b == 0xF4 ? 0x8F : 0xBF);
        else
            out += replacementCharacter;
    }
}

QString renderHexadecimal(const QByteArray &bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    QString out(bytes.size() * 3, Qt::Uninitialized);
    QChar *p = out.data();
    for (const char byte : bytes) {
        const auto b = static_cast<quint8>(byte);
        *p++ = QLatin1Char(' ');
        *p++ = QLatin1Char(digits[b >> 4]);
        *p++ = QLatin1Char(digits[b & 0x0F]);
    }
    return out;
}

QString renderDecimal(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size() * 4);
    for (const char byte : bytes) {
        const auto b = static_cast<quint8>(byte);
        out += QLatin1Char(' ');
        if (b >= 100)
            out += QLatin1Char('0' + b / 100);
        if (b >= 10)
            out += QLatin1Char('0' + b / 10 % 10);
        out += QLatin1Char('0' + b % 10);
    }
    return out;
}

} // namespace

QString renderReceivedChunk(const QByteArray &chunk, ReceiveMode mode, ReceiveDecoderState &state)
{
    QString out;
    if (mode == ReceiveMode::Ascii) {
        out.reserve(chunk.size() + 2);
        decodeUtf8(chunk, state, out);
        return out;
    }
    // Bytes of an unfinished sequence arrived while ASCII was chosen and keep that rendering:
    // cut off by the change of mode, they are an incomplete character.
    if (state.isPending()) {
        out += replacementCharacter;
        state.reset();
    }
    out += mode == ReceiveMode::Hexadecimal ? renderHexadecimal(chunk) : renderDecimal(chunk);
    return out;
}
