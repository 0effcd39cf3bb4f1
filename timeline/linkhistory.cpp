#include "timeline/linkhistory.h"

namespace {

// Beyond this the next bytes start an event of their own, so that dropping the oldest events
// never drops a long stream at once.
constexpr int longestJoinedBytes = 4096;

bool holdsLineEnd(const QByteArray &bytes)
{
    return bytes.contains('\n') || bytes.contains('\r');
}

} // namespace

// Only the last of the joined reads may hold a line end: the lines after it begin then, so the
// time of each line's first byte is kept.
void LinkHistory::receive(const QByteArray &chunk, ReceiveMode mode, qint64 msecs,
                          int utcOffsetSeconds)
{
    if (!m_events.empty()) {
        LinkEvent &last = m_events.back();
        if (last.kind == LinkEvent::Kind::Received && last.mode == mode &&
            last.utcOffsetSeconds == utcOffsetSeconds && msecs - last.lastMsecs < timelinePauseMs &&
            last.bytes.size() < longestJoinedBytes && !holdsLineEnd(last.bytes)) {
            last.bytes += chunk;
            last.lastMsecs = msecs;
            m_cost += chunk.size();
            if (m_cost > m_limit)
                dropOldest();
            return;
        }
    }
    LinkEvent event;
    event.mode = mode;
    event.utcOffsetSeconds = utcOffsetSeconds;
    event.msecs = msecs;
    event.lastMsecs = msecs;
    // A read's buffer may be far larger than what it holds: the bytes are kept in one of their
    // own size.
    event.bytes = QByteArray(chunk.constData(), chunk.size());
    add(std::move(event));
}

void LinkHistory::add(LinkEvent event)
{
    // Joined reads grew the last one's room ahead of what it holds.
    if (!m_events.empty())
        m_events.back().bytes.squeeze();
    m_cost += costOf(event);
    m_events.push_back(std::move(event));
    if (m_cost > m_limit)
        dropOldest();
}

void LinkHistory::clear()
{
    m_events = std::deque<LinkEvent>();
    m_cost = 0;
}

void LinkHistory::setLimit(qint64 bytes)
{
    m_limit = qMax<qint64>(1, bytes);
    if (m_cost > m_limit)
        dropOldest();
}

// The event itself, its bytes and text, and what the allocator adds to each.
qint64 LinkHistory::costOf(const LinkEvent &event)
{
    return qint64(sizeof(LinkEvent)) + 32 + event.bytes.size() + 2 * event.text.size();
}

void LinkHistory::dropOldest()
{
    const qint64 target = m_limit - m_limit / 4;
    while (m_cost > target && !m_events.empty()) {
        m_cost -= costOf(m_events.front());
        m_events.pop_front();
    }
}
