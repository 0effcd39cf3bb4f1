#pragma once

#include "receive/receivedstore.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QString>
#include <QTimer>

#include <vector>

class QPainter;
class SteadyScrollBar;

// Read-only view of everything received since the last Clear, kept and indexed into lines by a
// ReceivedStore that measures with the view's font and wraps at the view's width. Text that
// streams in is drawn at most 25 times a second, text after a quiet moment at once; painting
// draws only the visible lines that changed. The line break characters are not drawn; a tab is
// shown as one space and other control characters as their visible symbols.
class ReceivedDataView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int DefaultStoreLimit = ReceivedStore::DefaultLimit;

    explicit ReceivedDataView(QWidget *parent = nullptr);

    const QString &text() const { return m_store.text(); }
    QString selectedText() const;
    bool hasSelection() const { return m_anchor != m_cursor; }

    // Above this many characters the oldest text is dropped: see ReceivedStore::setLimit().
    int storeLimit() const { return m_store.limit(); }
    void setStoreLimit(int characters);

    // The text from..to as the view shows it, control characters as their symbols; line breaks
    // too, unless they are the view's own (see setOwnLineBreaks()).
    QString shownText(int from, int to) const;
    // Whether the text's line breaks separate lines of the view's owner rather than come from
    // the device: read as line breaks then, not as the symbols of the bytes.
    void setOwnLineBreaks(bool own) { m_ownLineBreaks = own; }
    int selectionStart() const { return qMin(m_anchor, m_cursor); }
    int selectionEnd() const { return qMax(m_anchor, m_cursor); }
    int cursorPosition() const { return m_cursor; }
    void setSelection(int anchor, int cursor);
    // Where the character at `position` is drawn, in the view's coordinates.
    QRect characterRect(int position) const;
    int positionAtPoint(const QPoint &point) const { return positionAt(point); }
    void scrollToPosition(int position);

    int wrapWidth() const { return m_store.wrapWidth(); }
    const std::vector<int> &lineStarts() const { return m_store.lineStarts(); }

    // Replaces everything shown, as when the same history is rendered another way: following
    // the end, and not announced as new text.
    void setText(const QString &text);

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
    int advance(char32_t codePoint) const { return m_store.advance(codePoint); }
    void drawNullSymbols(QPainter &painter, int line, int top) const;
    void announceNewText();
    void followDroppedText(int dropped, int topPosition);
    void scheduleRefresh();
    void refresh();
    void relayout();
    int availableWidth() const;
    void updateScrollRange(int topLine = -1);
    void onScrolled(int value);
    void onFontChanged();

    int lineCount() const { return m_store.lineCount(); }
    int visibleLineCount() const;
    int topLine() const;
    int topPosition() const { return m_store.lineStart(topLine()); }
    int positionAt(const QPoint &point) const;
    QString displayText(int from, int to) const;

    void moveCursor(int position, bool extend);
    void moveCursorByLines(int lines);
    void ensureCursorVisible();
    void copyToSelectionClipboard() const;

    ReceivedStore m_store;

    int m_anchor = 0;
    int m_cursor = 0;
    bool m_cursorPlaced = false;
    bool m_mouseSelecting = false;

    SteadyScrollBar *m_scrollBar = nullptr;
    bool m_followingEnd = true;
    bool m_settingScroll = false;
    QTimer m_refreshTimer;
    QElapsedTimer m_sinceRefresh;
    // The last refresh scrolled every line shown out of sight.
    bool m_flooded = false;
    // Where the last line drawn by the last refresh starts; negative when all must be drawn
    // again, because older text went or the lines were wrapped again.
    int m_drawnLastLineStart = -1;
    // Only while new text scrolls the lines drawn before up.
    bool m_scrollMovesPixels = false;
    // A long history is rewrapped once the width has settled, not at every step of a drag.
    QTimer m_settleTimer;

    QFontMetrics m_metrics;
    bool m_drawsNullSymbol = false;
    bool m_ownLineBreaks = false;
    // How much of the text assistive technology has been told of.
    int m_announcedSize = 0;
};
