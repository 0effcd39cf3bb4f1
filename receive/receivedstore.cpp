#include "receive/receivedstore.h"

#include <algorithm>

ReceivedStore::ReceivedStore(Advance advance)
{
    setAdvance(std::move(advance));
}

int ReceivedStore::setLimit(int characters)
{
    m_limit = qMax(1, characters);
    return m_text.size() > m_limit ? dropOldestText() : 0;
}

int ReceivedStore::append(const QString &text)
{
    // Room for a whole history is taken with its first text; room never written costs no
    // resident memory. Grown by reallocation instead, the history ends up in remapped memory,
    // which some machines are slow to write again: the first drop of the oldest text then held
    // the window for about 80 ms instead of 3.
    if (m_text.isEmpty())
        m_text.reserve(m_limit + m_limit / 8);
    m_text += text;
    indexNewText();
    return m_text.size() > m_limit ? dropOldestText() : 0;
}

void ReceivedStore::clear()
{
    // Assigning fresh containers gives the memory of a long history back.
    m_text = QString();
    m_lineStarts = std::vector<int>{0};
    m_scan = LineScan();
}

void ReceivedStore::setWrapWidth(int width)
{
    width = qMax(1, width);
    if (width == m_wrapWidth)
        return;
    m_wrapWidth = width;
    rebuildIndex();
}

void ReceivedStore::setAdvance(Advance advance)
{
    m_advance = std::move(advance);
    m_bmpAdvances.assign(0x10000, -1);
    m_otherAdvances.clear();
    rebuildIndex();
}

int ReceivedStore::advance(char32_t codePoint) const
{
    if (codePoint < 0x10000) {
        qint16 &width = m_bmpAdvances[codePoint];
        if (width < 0)
            width = static_cast<qint16>(m_advance(codePoint));
        return width;
    }
    auto known = m_otherAdvances.constFind(codePoint);
    if (known == m_otherAdvances.constEnd())
        known = m_otherAdvances.insert(codePoint, m_advance(codePoint));
    return *known;
}

int ReceivedStore::lineOf(int position) const
{
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position);
    return qMax(0, static_cast<int>(after - m_lineStarts.begin()) - 1);
}

int ReceivedStore::lineContentEnd(int line) const
{
    if (line + 1 >= lineCount())
        return m_text.size();
    const int start = m_lineStarts[line];
    int end = m_lineStarts[line + 1];
    if (end > start && m_text.at(end - 1) == QLatin1Char('\n'))
        --end;
    if (end > start && m_text.at(end - 1) == QLatin1Char('\r'))
        --end;
    return end;
}

int ReceivedStore::xOf(int line, int position) const
{
    int x = 0;
    for (int p = m_lineStarts[line]; p < position;) {
        const CodePoint codePoint = codePointAt(p);
        x += advance(codePoint.value);
        p += codePoint.length;
    }
    return x;
}

int ReceivedStore::positionInLine(int line, int x) const
{
    const int end = lineContentEnd(line);
    int left = 0;
    for (int p = m_lineStarts[line]; p < end;) {
        const CodePoint codePoint = codePointAt(p);
        const int width = advance(codePoint.value);
        if (2 * x < 2 * left + width)
            return p;
        left += width;
        p += codePoint.length;
    }
    return end;
}

ReceivedStore::CodePoint ReceivedStore::codePointAt(int position) const
{
    const QChar unit = m_text.at(position);
    if (unit.isHighSurrogate() && position + 1 < m_text.size()) {
        const QChar low = m_text.at(position + 1);
        if (low.isLowSurrogate())
            return {QChar::surrogateToUcs4(unit, low), 2};
    }
    return {unit.unicode(), 1};
}

int ReceivedStore::nextPosition(int position) const
{
    if (position >= m_text.size())
        return m_text.size();
    if (m_text.at(position) == QLatin1Char('\r') && position + 1 < m_text.size() &&
        m_text.at(position + 1) == QLatin1Char('\n'))
        return position + 2;
    return position + codePointAt(position).length;
}

int ReceivedStore::previousPosition(int position) const
{
    if (position <= 0)
        return 0;
    if (position >= 2) {
        const QChar last = m_text.at(position - 1);
        const QChar before = m_text.at(position - 2);
        if ((last == QLatin1Char('\n') && before == QLatin1Char('\r')) ||
            (last.isLowSurrogate() && before.isHighSurrogate()))
            return position - 2;
    }
    return position - 1;
}

// Continues from where the last call stopped; the state of the unfinished last line is kept in
// m_scan, so each character is examined once.
void ReceivedStore::indexNewText()
{
    const QChar *text = m_text.constData();
    const int size = m_text.size();
    while (m_scan.position < size) {
        const int position = m_scan.position;
        const QChar unit = text[position];
        if (unit == QLatin1Char('\n') || unit == QLatin1Char('\r')) {
            endLine(position);
            continue;
        }
        CodePoint codePoint{unit.unicode(), 1};
        if (unit.isHighSurrogate()) {
            if (position + 1 == size)
                break; // its other half comes with the next append
            codePoint = codePointAt(position);
        }
        const int width = advance(codePoint.value);
        if (unit != QLatin1Char(' ') && position > m_lineStarts.back())
            wrapBefore(position, width);
        m_scan.width += width;
        m_scan.position = position + codePoint.length;
    }
}

void ReceivedStore::endLine(int position)
{
    // The '\r' of a "\r\n" has already ended the line; its '\n' belongs to that break.
    if (m_text.at(position) == QLatin1Char('\n') && position > 0 &&
        m_text.at(position - 1) == QLatin1Char('\r') && m_lineStarts.back() == position)
        m_lineStarts.back() = position + 1;
    else
        m_lineStarts.push_back(position + 1);
    m_scan = LineScan{position + 1};
}

// Starts a line before the character at `position`, which is no space and not the first of its
// line, if it would reach past the wrap width: at the start of its word when the line has
// another word before it, else right before it.
void ReceivedStore::wrapBefore(int position, int width)
{
    if (m_text.at(position - 1) == QLatin1Char(' ')) {
        m_scan.wordStart = position;
        m_scan.widthBeforeWord = m_scan.width;
    }
    // Subtracted rather than added: the default wrap width is the largest int.
    if (width <= m_wrapWidth - m_scan.width)
        return;
    if (m_scan.wordStart > m_lineStarts.back()) {
        m_lineStarts.push_back(m_scan.wordStart);
        m_scan.width -= m_scan.widthBeforeWord;
    }
    m_scan.wordStart = -1;
    if (position > m_lineStarts.back() && width > m_wrapWidth - m_scan.width) {
        m_lineStarts.push_back(position);
        m_scan.width = 0;
    }
}

void ReceivedStore::rebuildIndex()
{
    m_lineStarts.assign(1, 0);
    m_scan = LineScan();
    indexNewText();
}

// Drops about a quarter of the limit at once, so that the copying this costs is spread over many
// appends. Cutting at a line start keeps the index of the rest valid as it is.
int ReceivedStore::dropOldestText()
{
    const int target = m_text.size() - (m_limit - m_limit / 4);
    const auto firstKept = std::lower_bound(m_lineStarts.begin(), m_lineStarts.end(), target);
    if (firstKept == m_lineStarts.end() || *firstKept - target > m_limit / 32) {
        const int cut = cutNear(target);
        m_text.remove(0, cut);
        rebuildIndex();
        return cut;
    }
    const int cut = *firstKept;
    m_text.remove(0, cut);
    m_lineStarts.erase(m_lineStarts.begin(), firstKept);
    for (int &start : m_lineStarts)
        start -= cut;
    m_scan.position -= cut;
    m_scan.wordStart -= cut; // still before the line start when no word was seen
    return cut;
}

// At `target`, or one further when that would split a surrogate pair or a "\r\n".
int ReceivedStore::cutNear(int target) const
{
    const QChar first = m_text.at(target);
    const QChar last = m_text.at(target - 1);
    const bool splits = (first.isLowSurrogate() && last.isHighSurrogate()) ||
                        (first == QLatin1Char('\n') && last == QLatin1Char('\r'));
    return target + (splits ? 1 : 0);
}
