#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <limits>
#include <vector>

// Everything received since the last Clear, and an index of where each displayed line starts, so
// that neither appending nor drawing costs more as the history grows: appending indexes only the
// new text, and a view looks up only the lines it shows.
//
// Lines end at "\r\n", "\n" or a lone "\r" (devices of this kind end lines either way); the break
// characters stay in the text. Lines also wrap at the wrap width, after a space when the line has
// one, else between any two characters, never inside a surrogate pair. Spaces at the end of a
// wrapped line may reach past the edge rather than start the next line. Widths come from the
// advance function handed in, so the store needs no font: a view measures in pixels.
class ReceivedStore
{
public:
    using Advance = std::function<int(char32_t)>;
    static constexpr int DefaultLimit = 32 * 1024 * 1024;

    struct CodePoint
    {
        char32_t value;
        int length;
    };

    // No wrapping until setWrapWidth().
    explicit ReceivedStore(Advance advance = [](char32_t) { return 1; });

    const QString &text() const { return m_text; }
    int size() const { return m_text.size(); }

    // Above this many characters the oldest text is dropped in one block, down to three quarters
    // of the limit or a little less, cutting at a line start when one is near. Both return how
    // many characters were dropped from the front, for positions kept elsewhere to follow.
    int limit() const { return m_limit; }
    int setLimit(int characters);
    int append(const QString &text);
    void clear();

    int wrapWidth() const { return m_wrapWidth; }
    void setWrapWidth(int width);
    // Forgets the widths measured so far and rewraps: for a new font.
    void setAdvance(Advance advance);
    int advance(char32_t codePoint) const;

    const std::vector<int> &lineStarts() const { return m_lineStarts; }
    int lineCount() const { return static_cast<int>(m_lineStarts.size()); }
    int lineStart(int line) const { return m_lineStarts[line]; }
    int lineOf(int position) const;
    // The end of what the line shows: before the break that ends it, if any.
    int lineContentEnd(int line) const;
    // The width of the line before `position`, and the position whose left edge is nearest `x`.
    int xOf(int line, int position) const;
    int positionInLine(int line, int x) const;

    CodePoint codePointAt(int position) const;
    // Over a whole surrogate pair or "\r\n", so that a selection never splits one.
    int nextPosition(int position) const;
    int previousPosition(int position) const;

private:
    // Where indexing stopped and what it knows of the last, unfinished line.
    struct LineScan
    {
        int position = 0;
        int width = 0;
        int wordStart = -1;
        int widthBeforeWord = 0;
    };

    void indexNewText();
    void endLine(int position);
    void wrapBefore(int position, int width);
    void rebuildIndex();
    int dropOldestText();
    int cutNear(int target) const;

    QString m_text;
    std::vector<int> m_lineStarts{0};
    LineScan m_scan;
    int m_wrapWidth = std::numeric_limits<int>::max();
    int m_limit = DefaultLimit;

    Advance m_advance;
    // Measuring is slow next to indexing, and a history holds few distinct characters.
    mutable std::vector<qint16> m_bmpAdvances;
    mutable QHash<char32_t, int> m_otherAdvances;
};
