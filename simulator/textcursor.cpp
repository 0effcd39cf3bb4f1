#include "simulator/textcursor.h"

TextCursor::TextCursor(const QByteArray &buffer, int position, bool atEnd)
    : m_buffer(buffer)
    , m_position(position)
    , m_atEnd(atEnd)
{}

void TextCursor::expectZeros(int count)
{
    for (int i = 0; i < count && !stopped(); ++i) {
        if (m_position >= m_buffer.size())
            runOut();
        else if (m_buffer.at(m_position++) != '\0')
            fail();
    }
}

QByteArray TextCursor::text(int maxLength)
{
    if (stopped())
        return {};
    const int limit = qMin(m_buffer.size(), m_position + maxLength + 1);
    int end = m_position;
    while (end < limit && m_buffer.at(end) != '\0')
        ++end;
    if (end == limit) {
        if (end - m_position > maxLength)
            fail();
        else
            runOut();
        return {};
    }
    const QByteArray result = m_buffer.mid(m_position, end - m_position);
    m_position = end + 1;
    return result;
}

void TextCursor::runOut()
{
    m_outcome = m_atEnd ? FrameRead::NoFrame : FrameRead::NeedMore;
}
