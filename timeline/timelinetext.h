#pragma once

#include "timeline/linkhistory.h"

#include <QString>

#include <optional>

// How the timeline shows bytes: received ones as the receive mode says, sent ones as the sent
// bytes are shown.
struct TimelineStyle
{
    ReceiveMode receiveMode = ReceiveMode::Ascii;
    bool sentInDecimal = false;
};

// The timeline's text, one event a line, built event by event so that a live display appends
// only what each event adds:
//   12:03:04.567 → 02 10 4C 03  Play
//   12:03:04.590 ← +23 ms OK
//   12:03:05.001 • Disconnected
// A received line begins with the time of its first byte and, after a frame, how long after
// that frame left it came; it goes on until a line end or a pause. Lines are separated by a
// line break, with none after the last, which may still grow.
class TimelineText
{
public:
    explicit TimelineText(TimelineStyle style)
        : m_style(style)
    {}

    // Appends what the event adds; received bytes go through receive().
    void add(QString &out, const LinkEvent &event);
    void receive(QString &out, const QByteArray &bytes, qint64 firstMsecs, qint64 lastMsecs,
                 int utcOffsetSeconds);

private:
    void startLine(QString &out, qint64 msecs, int utcOffsetSeconds, QChar mark);

    TimelineStyle m_style;
    bool m_empty = true;
    // The last line holds received bytes and may go on.
    bool m_lineOpen = false;
    // The last line ended with a CR, whose LF belongs to that end.
    bool m_afterCr = false;
    qint64 m_lastReceivedMsecs = 0;
    std::optional<qint64> m_lastFrameLeftMsecs;
    ReceiveDecoderState m_decoder;
};

// The whole history as the plain view shows it: the received bytes alone, each in the mode it
// came in, an unfinished character carried over until the link opens again. `decoder` is left
// as the last read left it, for the reads to come.
QString plainText(const LinkHistory &history, ReceiveDecoderState &decoder);
