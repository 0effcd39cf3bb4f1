#include "recording/sessionlines.h"

#include <limits>

namespace {

const char hexDigits[] = "0123456789ABCDEF";

QByteArray lineOf(const QDateTime &time, const char *kind, const QByteArray &rest)
{
    QByteArray line = SessionLine::timeText(time);
    line += '\t';
    line += kind;
    line += '\t';
    line += rest;
    line += '\n';
    return line;
}

// Names and messages may hold line breaks (an error's title and text): they become spaces, so
// that nothing cuts the line or its fields.
QString oneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return line.simplified();
}

QByteArray frameLine(const QDateTime &time, const char *kind, const QByteArray &frame,
                     const QString &name)
{
    return lineOf(time, kind, SessionLine::hexBytes(frame) + '\t' + oneLine(name).toUtf8());
}

QByteArray offsetText(int secondsFromUtc)
{
    const int minutes = qAbs(secondsFromUtc) / 60;
    return (secondsFromUtc < 0 ? QByteArrayLiteral("-") : QByteArrayLiteral("+")) +
           QByteArray::number(minutes / 60).rightJustified(2, '0') + ':' +
           QByteArray::number(minutes % 60).rightJustified(2, '0');
}

} // namespace

namespace SessionLine {

QByteArray sent(const QDateTime &time, const QByteArray &frame, const QString &name)
{
    return frameLine(time, "sent", frame, name);
}

QByteArray notSent(const QDateTime &time, const QByteArray &frame, const QString &name)
{
    return frameLine(time, "not sent", frame, name);
}

QByteArray received(const QDateTime &time, const QByteArray &chunk)
{
    return lineOf(time, "received", hexBytes(chunk) + '\t' + escapedAscii(chunk));
}

QByteArray event(const QDateTime &time, const char *kind, const QString &text)
{
    return lineOf(time, kind, oneLine(text).toUtf8());
}

QByteArray hexBytes(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper();
}

QByteArray escapedAscii(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto byte = static_cast<quint8>(c);
        switch (byte) {
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case 0:
            out += "\\0";
            break;
        default:
            if (byte >= 0x20 && byte < 0x7F) {
                out += c;
            } else {
                out += "\\x";
                out += hexDigits[byte >> 4];
                out += hexDigits[byte & 0x0F];
            }
        }
    }
    return out;
}

// Formatting a date costs far more than a short chunk's line: the part down to the second is
// formatted once a second, by each thread for itself.
QByteArray timeText(const QDateTime &time)
{
    thread_local qint64 cachedSecond = std::numeric_limits<qint64>::min();
    thread_local int cachedOffset = 0;
    thread_local QByteArray cachedDate;
    thread_local QByteArray cachedZone;
    const qint64 msecs = time.toMSecsSinceEpoch();
    const qint64 second = msecs >= 0 ? msecs / 1000 : (msecs - 999) / 1000;
    const int offset = time.offsetFromUtc();
    if (second != cachedSecond || offset != cachedOffset) {
        cachedSecond = second;
        cachedOffset = offset;
        cachedDate = time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.")).toLatin1();
        cachedZone = offsetText(offset);
    }
    const int millisecond = int(msecs - second * 1000);
    const char digits[] = {char('0' + millisecond / 100), char('0' + millisecond / 10 % 10),
                           char('0' + millisecond % 10)};
    return cachedDate + QByteArray(digits, 3) + cachedZone;
}

} // namespace SessionLine
