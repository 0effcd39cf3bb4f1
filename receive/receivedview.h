#pragma once

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QHash>
#include <QString>
#include <QTimer>

class QPainter;

#include <vector>

// Read-only view of everything received since the last Clear. It keeps the text itself and an
// index of where each displayed line starts, so that neither appending nor painting costs more
// as the history grows: appending indexes only the new text, painting draws only visible lines.
//
// Lines end at "\r\n", "\n" or a lone "\r" (devices of this kind end lines either way); the break
// characters stay in the text but are not drawn. Lines also wrap at the view's width, after a
// space when the line has one, else between any two characters, never inside a surrogate pair.
// Spaces at the end of a wrapped line may reach past the edge rather than start the next line.
// A tab is shown as one space and other control characters as their visible symbols.
class ReceivedDataView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int DefaultStoreLimit = 32 * 1024 * 1024;

    explicit ReceivedDataView(QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    QString selectedText() const;
    bool hasSelection() const { return m_anchor != m_cursor; }

    // Above this many characters the oldest text is dropped in one block, down to three quarters
    // of the limit or a little less, cutting at a line start when one is near.
    int storeLimit() const { return m_storeLimit; }
    void setStoreLimit(int characters);

    // The text from..to as the view shows it, control characters as their symbols.
    QString shownText(int from, int to) const;
    int selectionStart() const { return qMin(m_anchor, m_cursor); }
    int selectionEnd() const { return qMax(m_anchor, m_cursor); }
    int cursorPosition() const { return m_cursor; }
    void setSelection(int anchor, int cursor);
    // Where the character at `position` is drawn, in the view's coordinates.
    QRect characterRect(int position) const;
    int positionAtPoint(const QPoint &point) const { return positionAt(point); }
    void scrollToPosition(int position);

    int wrapWidth() const { return m_wrapWidth; }
    const std::vector<int> &lineStarts() const { return m_lineStarts; }

public slots:
    void appendText(const QString &text);
    void clear();
    void copy() const;
    void selectAll();

signals:
    // Clear was chosen in the context menu. The view is already empty; the owner resets what
    // feeds it (the decoders' pending bytes).
    void clearRequested();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Where indexing stopped and what it knows of the last, unfinished line.
    struct LineScan
    {
        int position = 0;
        int width = 0;
        int wordStart = -1;
        int widthBeforeWord = 0;
    };

    int advance(char32_t codePoint) const;
    char32_t shownCodePoint(char32_t codePoint) const;
    void drawNullSymbols(QPainter &painter, int line, int top) const;
    void announceNewText();
    void indexNewText();
    void rebuildIndex();
    void dropOldestText();
    void scheduleRefresh();
    void relayout();
    int availableWidth() const;
    void updateScrollRange(int topLine = -1);
    void onScrolled(int value);
    void onFontChanged();

    int lineCount() const { return static_cast<int>(m_lineStarts.size()); }
    int visibleLineCount() const;
    int topLine() const;
    int lineOf(int position) const;
    int lineContentEnd(int line) const;
    int xOf(int line, int position) const;
    int positionInLine(int line, int x) const;
    int positionAt(const QPoint &point) const;
    int nextPosition(int position) const;
    int previousPosition(int position) const;
    QString displayText(int from, int to) const;

    void moveCursor(int position, bool extend);
    void moveCursorByLines(int lines);
    void ensureCursorVisible();
    void copyToSelectionClipboard() const;

    QString m_text;
    std::vector<int> m_lineStarts{0};
    LineScan m_scan;
    int m_wrapWidth = 1;
    int m_storeLimit = DefaultStoreLimit;

    int m_anchor = 0;
    int m_cursor = 0;
    bool m_cursorPlaced = false;
    bool m_mouseSelecting = false;

    bool m_followingEnd = true;
    bool m_settingScroll = false;
    QTimer m_refreshTimer;
    // A long history is rewrapped once the width has settled, not at every step of a drag.
    QTimer m_settleTimer;

    QFontMetrics m_metrics;
    bool m_drawsNullSymbol = false;
    // How much of the text assistive technology has been told of.
    int m_announcedSize = 0;
    mutable std::vector<qint16> m_bmpAdvances;
    mutable QHash<char32_t, int> m_otherAdvances;
};
