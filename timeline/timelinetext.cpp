#include "timeline/timelinetext.h"
#include "transmission/frames.h"

#include <QCoreApplication>

namespace {

const QChar sentMark(0x2192);
const QChar receivedMark(0x2190);
const QChar linkMark(0x2022);

bool isLineEnd(char byte)
{
    return byte == '\n' || byte == '\r';
}

bool opensLink(LinkEvent::Kind kind)
{
    return kind == LinkEvent::Kind::Connected || kind == LinkEvent::Kind::Back;
}

QString linkEventText(const LinkEvent &event)
{
    switch (event.kind) {
    case LinkEvent::Kind::Connected:
        return QCoreApplication::translate("Timeline", "Connected to %1").arg(event.text);
    case LinkEvent::Kind::Back:
        return QCoreApplication::translate("Timeline", "Back, connected to %1").arg(event.text);
    case LinkEvent::Kind::Disconnected:
        return QCoreApplication::translate("Timeline", "Disconnected");
    case LinkEvent::Kind::Lost:
        return QCoreApplication::translate("Timeline", "Link lost: %1").arg(event.text);
    case LinkEvent::Kind::CouldNotConnect:
        return QCoreApplication::translate("Timeline", "Could not connect: %1").arg(event.text);
    case LinkEvent::Kind::Waiting:
        return QCoreApplication::translate("Timeline", "Waiting for the player to come back");
    default:
        return QString();
    }
}

void appendTwoDigits(QString &out, int value)
{
    out += QLatin1Char('0' + value / 10);
    out += QLatin1Char('0' + value % 10);
}

// The local time to the millisecond, as "13:04:05.678".
void appendClockText(QString &out, qint64 msecs, int utcOffsetSeconds)
{
    constexpr qint64 msecsPerDay = 24 * 3600 * 1000;
    const qint64 local = msecs + qint64(utcOffsetSeconds) * 1000;
    const qint64 ofDay = (local % msecsPerDay + msecsPerDay) % msecsPerDay;
    appendTwoDigits(out, int(ofDay / 3600000));
    out += QLatin1Char(':');
    appendTwoDigits(out, int(ofDay / 60000 % 60));
    out += QLatin1Char(':');
    appendTwoDigits(out, int(ofDay / 1000 % 60));
    out += QLatin1Char('.');
    const int millisecond = int(ofDay % 1000);
    out += QLatin1Char('0' + millisecond / 100);
    appendTwoDigits(out, millisecond % 100);
}

} // namespace

void TimelineText::startLine(QString &out, qint64 msecs, int utcOffsetSeconds, QChar mark)
{
    if (!m_empty)
        out += QLatin1Char('\n');
    m_empty = false;
    appendClockText(out, msecs, utcOffsetSeconds);
    out += QLatin1Char(' ');
    out += mark;
}

void TimelineText::add(QString &out, const LinkEvent &event)
{
    if (event.kind == LinkEvent::Kind::Received) {
        receive(out, event.bytes, event.msecs, event.lastMsecs, event.utcOffsetSeconds);
        return;
    }
    m_lineOpen = false;
    m_afterCr = false;
    const bool frame =
        event.kind == LinkEvent::Kind::Sent || event.kind == LinkEvent::Kind::NotSent;
    startLine(out, event.msecs, event.utcOffsetSeconds, frame ? sentMark : linkMark);
    out += QLatin1Char(' ');
    if (!frame) {
        if (opensLink(event.kind))
            m_decoder.reset();
        out += linkEventText(event);
        return;
    }
    out += bytesText(event.bytes, m_style.sentInDecimal);
    out += QLatin1String("  ");
    out += event.text;
    if (event.kind == LinkEvent::Kind::NotSent)
        out += QStringLiteral(" (%1)").arg(QCoreApplication::translate("MainWindow", "Not sent"));
    else
        m_lastFrameLeftMsecs = event.msecs;
}

// Each line end is rendered with the bytes before it, so that an unfinished character before
// it ends as the plain view ends it; in ASCII the line end itself is the line break.
void TimelineText::receive(QString &out, const QByteArray &bytes, qint64 firstMsecs,
                           qint64 lastMsecs, int utcOffsetSeconds)
{
    const bool ascii = m_style.receiveMode == ReceiveMode::Ascii;
    int from = 0;
    if (m_afterCr && !bytes.isEmpty() && bytes.front() == '\n') {
        if (!ascii)
            out += renderReceivedChunk(bytes.left(1), m_style.receiveMode, m_decoder);
        from = 1;
    }
    m_afterCr = false;
    bool continues = m_lineOpen && firstMsecs - m_lastReceivedMsecs < timelinePauseMs;
    m_lastReceivedMsecs = lastMsecs;
    qint64 lineMsecs = firstMsecs;
    while (from < bytes.size()) {
        int to = from;
        while (to < bytes.size() && !isLineEnd(bytes.at(to)))
            ++to;
        const bool ends = to < bytes.size();
        int lineEndBytes = 0;
        if (ends) {
            lineEndBytes =
                to + 1 < bytes.size() && bytes.at(to) == '\r' && bytes.at(to + 1) == '\n' ? 2 : 1;
            m_afterCr = lineEndBytes == 1 && bytes.at(to) == '\r';
            to += lineEndBytes;
        }
        if (!continues) {
            startLine(out, lineMsecs, utcOffsetSeconds, receivedMark);
            if (m_lastFrameLeftMsecs) {
                out += QLatin1String(" +");
                out += QString::number(lineMsecs - *m_lastFrameLeftMsecs);
                out += QLatin1String(" ms");
            }
            if (ascii)
                out += QLatin1Char(' ');
        }
        // A view of the bytes, not a copy: this runs for every read.
        QString text =
            renderReceivedChunk(QByteArray::fromRawData(bytes.constData() + from, to - from),
                                m_style.receiveMode, m_decoder);
        if (ascii)
            text.chop(lineEndBytes);
        out += text;
        m_lineOpen = !ends;
        continues = false;
        lineMsecs = lastMsecs;
        from = to;
    }
}

QString plainText(const LinkHistory &history, ReceiveDecoderState &decoder)
{
    decoder.reset();
    QString out;
    for (const LinkEvent &event : history.events()) {
        if (event.kind == LinkEvent::Kind::Received)
            out += renderReceivedChunk(event.bytes, event.mode, decoder);
        else if (opensLink(event.kind))
            decoder.reset();
    }
    return out;
}
