#pragma once

#include "receive/receivedtext.h"

#include <QByteArray>
#include <QString>

#include <deque>

// A gap in what a device sends longer than this starts a new line of the timeline.
constexpr qint64 timelinePauseMs = 100;

// One thing that happened on a link, kept so that the display can render it again another way.
struct LinkEvent
{
    enum class Kind : quint8
    {
        Received,
        Sent,
        NotSent,
        Connected,
        Back,
        Disconnected,
        Lost,
        CouldNotConnect,
        Waiting,
    };
    Kind kind = Kind::Received;
    // The rendering chosen when received bytes came, which the plain view keeps for them.
    ReceiveMode mode = ReceiveMode::Ascii;
    // The local time is msecs plus this offset.
    int utcOffsetSeconds = 0;
    // When it happened; for received bytes, when the first and the last of them came.
    qint64 msecs = 0;
    qint64 lastMsecs = 0;
    // What was received, or the frame.
    QByteArray bytes;
    // The frame's command, where the link leads, or why it failed.
    QString text;
};

// What a link did since the last Clear, oldest first, within a bound on the memory it takes.
// Received bytes that follow one another without a pause, in one mode, before a line end, are
// kept as one event: a device that streams costs an event a line, not one a read.
class LinkHistory
{
public:
    static constexpr qint64 DefaultLimit = 16 * 1024 * 1024;

    const std::deque<LinkEvent> &events() const { return m_events; }

    void receive(const QByteArray &chunk, ReceiveMode mode, qint64 msecs, int utcOffsetSeconds);
    void add(LinkEvent event);
    void clear();

    // Bytes of memory, roughly. Above the limit the oldest events go, a quarter at once.
    qint64 limit() const { return m_limit; }
    void setLimit(qint64 bytes);

private:
    static qint64 costOf(const LinkEvent &event);
    void dropOldest();

    std::deque<LinkEvent> m_events;
    qint64 m_cost = 0;
    qint64 m_limit = DefaultLimit;
};
