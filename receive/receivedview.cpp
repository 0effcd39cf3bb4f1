#include "receive/receivedview.h"
#include "receive/receivedviewaccessible.h"
#include "receive/steadyscrollbar.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int sideMargin = 4;
constexpr int topMargin = 2;
// While data flows the view is drawn at most this often, as often as the eye can follow lines
// that scroll by: a repaint costs the same whether one chunk came since the last or forty.
constexpr int refreshIntervalMs = 40;
// Once each refresh replaces every line shown, the pages that fly by cannot be read at any
// rate: fewer of them are drawn.
constexpr int floodRefreshIntervalMs = 100;
// Below this many characters a rewrap takes about a millisecond and is done at once; above it,
// tens of milliseconds, so a resize waits until the width has stopped changing.
constexpr int quickRewrapLimit = 256 * 1024;
constexpr int settleIntervalMs = 150;

char32_t displayCodePoint(char32_t c)
{
    if (c == '\t')
        return ' ';
    if (c < 0x20)
        return 0x2400 + c;
    if (c == 0x7F)
        return 0x2421;
    return c;
}

// The view draws the zero byte's symbol itself where the font has none.
char32_t shownCodePoint(char32_t c, bool drawsNullSymbol)
{
    return c == 0 && drawsNullSymbol ? ' ' : displayCodePoint(c);
}

} // namespace

ReceivedDataView::ReceivedDataView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_scrollBar(new SteadyScrollBar(Qt::Vertical))
    , m_metrics(font())
{
    ReceivedDataAccessible::install();
    setVerticalScrollBar(m_scrollBar);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // What is drawn must be as wide as its characters measured one by one.
    fixed.setKerning(false);
    setFont(fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A bar that came and went would change the width and so rewrap everything.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ReceivedDataView::onScrolled);

    m_refreshTimer.setSingleShot(true);
    connect(&m_refreshTimer, &QTimer::timeout, this, &ReceivedDataView::refresh);
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(settleIntervalMs);
    connect(&m_settleTimer, &QTimer::timeout, this, &ReceivedDataView::relayout);
    // Measure and lay out whether or not setFont() reported a change.
    onFontChanged();
}

QString ReceivedDataView::selectedText() const
{
    return text().mid(selectionStart(), selectionEnd() - selectionStart());
}

void ReceivedDataView::setStoreLimit(int characters)
{
    const int top = topPosition();
    followDroppedText(m_store.setLimit(characters), top);
}

void ReceivedDataView::appendText(const QString &text)
{
    if (text.isEmpty())
        return;
    const int top = topPosition();
    followDroppedText(m_store.append(text), top);
    scheduleRefresh();
}

void ReceivedDataView::setText(const QString &text)
{
    clear();
    m_store.append(text);
    m_announcedSize = m_store.size();
    updateScrollRange();
}

// The selection and, unless following the end, the top line stay on the same text.
void ReceivedDataView::followDroppedText(int dropped, int topPosition)
{
    if (dropped == 0)
        return;
    m_anchor = qMax(0, m_anchor - dropped);
    m_cursor = qMax(0, m_cursor - dropped);
    if (!m_followingEnd)
        updateScrollRange(m_store.lineOf(qMax(0, topPosition - dropped)));
    m_drawnLastLineStart = -1;
    scheduleRefresh();
}

void ReceivedDataView::clear()
{
    m_store.clear();
    m_anchor = 0;
    m_cursor = 0;
    m_cursorPlaced = false;
    m_followingEnd = true;
    m_announcedSize = 0;
    m_drawnLastLineStart = -1;
    updateScrollRange();
    viewport()->update();
}

void ReceivedDataView::copy() const
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void ReceivedDataView::setSelection(int anchor, int cursor)
{
    m_anchor = qBound(0, anchor, m_store.size());
    m_cursor = qBound(0, cursor, m_store.size());
    m_cursorPlaced = true;
    viewport()->update();
}

QRect ReceivedDataView::characterRect(int position) const
{
    if (position < 0 || position >= m_store.size())
        return QRect();
    const int line = m_store.lineOf(position);
    const QPoint corner(sideMargin + m_store.xOf(line, position),
                        topMargin + (line - topLine()) * m_metrics.lineSpacing());
    const QRect inViewport(
        corner, QSize(advance(m_store.codePointAt(position).value), m_metrics.lineSpacing()));
    return inViewport.translated(viewport()->pos());
}

// Told once per repaint, not once per chunk: a streaming device would flood a screen reader.
void ReceivedDataView::announceNewText()
{
    const int size = m_store.size();
    m_announcedSize = qMin(m_announcedSize, size);
    if (m_announcedSize == size || !QAccessible::isActive()) {
        m_announcedSize = size;
        return;
    }
    QAccessibleTextInsertEvent inserted(this, m_announcedSize, shownText(m_announcedSize, size));
    QAccessible::updateAccessibility(&inserted);
    m_announcedSize = size;
}

void ReceivedDataView::selectAll()
{
    m_anchor = 0;
    m_cursor = m_store.size();
    m_cursorPlaced = true;
    copyToSelectionClipboard();
    viewport()->update();
}

// The first text after a quiet moment is drawn at once, what follows it at the end of the
// interval. Restarting a running timer would put the repaint off for as long as data comes.
void ReceivedDataView::scheduleRefresh()
{
    if (m_refreshTimer.isActive())
        return;
    const int interval = m_flooded ? floodRefreshIntervalMs : refreshIntervalMs;
    const qint64 since = m_sinceRefresh.isValid() ? m_sinceRefresh.elapsed() : interval;
    m_refreshTimer.start(int(qBound(qint64(0), interval - since, qint64(interval))));
}

// While the end is followed, the lines drawn before move up with their pixels (see
// scrollContentsBy()), and only the last line drawn, which new text may have extended or
// wrapped, and those below it are drawn again.
void ReceivedDataView::refresh()
{
    m_sinceRefresh.start();
    const bool redrawAll = m_drawnLastLineStart < 0;
    const int topBefore = topLine();
    m_scrollMovesPixels = !redrawAll;
    updateScrollRange();
    m_scrollMovesPixels = false;
    m_flooded = topLine() - topBefore >= visibleLineCount();
    const int changedLine = redrawAll ? topLine() : m_store.lineOf(m_drawnLastLineStart);
    const int top = topMargin + (changedLine - topLine()) * m_metrics.lineSpacing();
    viewport()->update(QRect(0, qMax(0, top), viewport()->width(), viewport()->height()));
    m_drawnLastLineStart = m_store.lineStart(lineCount() - 1);
    announceNewText();
}

int ReceivedDataView::availableWidth() const
{
    return qMax(1, viewport()->width() - 2 * sideMargin);
}

void ReceivedDataView::relayout()
{
    const int width = availableWidth();
    if (width == m_store.wrapWidth()) {
        updateScrollRange();
        return;
    }
    const int top = topPosition();
    m_store.setWrapWidth(width);
    updateScrollRange(m_store.lineOf(top));
    m_drawnLastLineStart = -1;
    viewport()->update();
}

// Keeps the given top line, or the end while following it.
void ReceivedDataView::updateScrollRange(int topLine)
{
    const int visible = visibleLineCount();
    const int maximum = qMax(0, lineCount() - visible);
    m_settingScroll = true;
    m_scrollBar->setRangeAndValue(maximum, visible, m_followingEnd ? maximum : topLine);
    m_settingScroll = false;
    // Shrunk onto the end, the user could not scroll down to resume following.
    if (m_scrollBar->value() >= maximum)
        m_followingEnd = true;
}

void ReceivedDataView::onScrolled(int value)
{
    if (!m_settingScroll)
        m_followingEnd = value >= verticalScrollBar()->maximum();
}

void ReceivedDataView::onFontChanged()
{
    m_metrics = QFontMetrics(font());
    m_drawsNullSymbol = !m_metrics.inFontUcs4(displayCodePoint(0));
    const int top = topPosition();
    // Copies, so that the store measures with this font until it is told of the next.
    m_store.setAdvance([metrics = m_metrics, nullSymbol = m_drawsNullSymbol](char32_t codePoint) {
        const char32_t shown = shownCodePoint(codePoint, nullSymbol);
        return shown < 0x10000 ? metrics.horizontalAdvance(QChar(static_cast<char16_t>(shown)))
                               : metrics.horizontalAdvance(QString::fromUcs4(&shown, 1));
    });
    m_store.setWrapWidth(availableWidth());
    updateScrollRange(m_store.lineOf(top));
}

int ReceivedDataView::visibleLineCount() const
{
    return qMax(1, (viewport()->height() - topMargin) / m_metrics.lineSpacing());
}

int ReceivedDataView::topLine() const
{
    return qBound(0, verticalScrollBar()->value(), lineCount() - 1);
}

int ReceivedDataView::positionAt(const QPoint &point) const
{
    const int lineHeight = m_metrics.lineSpacing();
    const int y = point.y() - topMargin;
    const int offset = y >= 0 ? y / lineHeight : -1 - (-y - 1) / lineHeight;
    const int line = qBound(0, topLine() + offset, lineCount() - 1);
    return m_store.positionInLine(line, point.x() - sideMargin);
}

QString ReceivedDataView::displayText(int from, int to) const
{
    QString shown = text().mid(from, to - from);
    for (QChar &unit : shown)
        unit = QChar(static_cast<char16_t>(shownCodePoint(unit.unicode(), m_drawsNullSymbol)));
    return shown;
}

QString ReceivedDataView::shownText(int from, int to) const
{
    QString shown = text().mid(from, to - from);
    for (QChar &unit : shown) {
        if (unit != QLatin1Char('\n') || !m_ownLineBreaks)
            unit = QChar(static_cast<char16_t>(displayCodePoint(unit.unicode())));
    }
    return shown;
}

// A framed 0 in the zero byte's place: never mistaken for a received character.
void ReceivedDataView::drawNullSymbols(QPainter &painter, int line, int top) const
{
    // Only this line is searched: a paint must not cost more as the history grows.
    const int start = m_store.lineStart(line);
    const QStringView shown = QStringView(text()).mid(start, m_store.lineContentEnd(line) - start);
    int offset = shown.indexOf(QChar(0));
    if (offset < 0)
        return;
    QFont small = font();
    small.setPixelSize(qMax(6, m_metrics.height() / 2));
    painter.save();
    painter.setFont(small);
    for (; offset >= 0; offset = shown.indexOf(QChar(0), offset + 1)) {
        const QRect cell(sideMargin + m_store.xOf(line, start + offset), top + 2, advance(0) - 1,
                         m_metrics.lineSpacing() - 4);
        painter.drawRect(cell);
        painter.drawText(cell, Qt::AlignCenter, QStringLiteral("0"));
    }
    painter.restore();
}

void ReceivedDataView::moveCursor(int position, bool extend)
{
    if (!m_cursorPlaced) {
        // Until the user has clicked, keyboard selection starts from the newest text.
        m_anchor = m_store.size();
        m_cursorPlaced = true;
    }
    m_cursor = position;
    if (!extend)
        m_anchor = position;
    viewport()->update();
}

void ReceivedDataView::moveCursorByLines(int lines)
{
    const int cursor = m_cursorPlaced ? m_cursor : m_store.size();
    const int line = m_store.lineOf(cursor);
    const int target = qBound(0, line + lines, lineCount() - 1);
    moveCursor(m_store.positionInLine(target, m_store.xOf(line, cursor)), true);
}

void ReceivedDataView::ensureCursorVisible()
{
    scrollToPosition(m_cursor);
}

void ReceivedDataView::scrollToPosition(int position)
{
    updateScrollRange();
    const int line = m_store.lineOf(qBound(0, position, m_store.size()));
    const int top = topLine();
    const int visible = visibleLineCount();
    if (line < top)
        verticalScrollBar()->setValue(line);
    else if (line >= top + visible)
        verticalScrollBar()->setValue(line - visible + 1);
}

void ReceivedDataView::copyToSelectionClipboard() const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && hasSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

bool ReceivedDataView::event(QEvent *event)
{
    // Keep Copy and Select All for the view even if the window binds the same keys.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void ReceivedDataView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        onFontChanged();
}

void ReceivedDataView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    // Until then the old wrap is drawn, cut at the edge or short of it.
    if (availableWidth() != m_store.wrapWidth() && m_store.size() > quickRewrapLimit)
        m_settleTimer.start();
    else
        relayout();
}

void ReceivedDataView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QPalette &colours = palette();
    const int lineHeight = m_metrics.lineSpacing();
    const int ascent = m_metrics.ascent();
    const int first = topLine();
    // Only the lines in the area asked for: the others are on the screen already.
    const QRect area = event->rect();
    const int from = first + qMax(0, (area.top() - topMargin) / lineHeight);
    const int last = qMin(lineCount(), first + qMax(0, area.bottom() - topMargin) / lineHeight + 1);
    const int selectionStart = qMin(m_anchor, m_cursor);
    const int selectionEnd = qMax(m_anchor, m_cursor);

    for (int line = from; line < last; ++line) {
        const int top = topMargin + (line - first) * lineHeight;
        const int baseline = top + ascent;
        const int start = m_store.lineStart(line);
        const int end = m_store.lineContentEnd(line);
        const int selectedFrom = qBound(start, selectionStart, end);
        const int selectedTo = qBound(start, selectionEnd, end);
        const bool hasBreak = line + 1 < lineCount() && m_store.lineStart(line + 1) > end;
        const bool breakSelected = hasBreak && selectionStart <= end && selectionEnd > end;

        painter.setPen(colours.color(QPalette::Text));
        if (selectedFrom == selectedTo && !breakSelected) {
            painter.drawText(sideMargin, baseline, displayText(start, end));
            if (m_drawsNullSymbol)
                drawNullSymbols(painter, line, top);
            continue;
        }
        const int selectedLeft = sideMargin + m_store.xOf(line, selectedFrom);
        const int selectedRight = sideMargin + m_store.xOf(line, selectedTo);
        painter.drawText(sideMargin, baseline, displayText(start, selectedFrom));
        painter.drawText(selectedRight, baseline, displayText(selectedTo, end));
        // A selected line break shows as a selected space after the text.
        const int breakWidth = breakSelected ? advance(' ') : 0;
        painter.fillRect(
            QRect(selectedLeft, top, selectedRight - selectedLeft + breakWidth, lineHeight),
            colours.color(QPalette::Highlight));
        painter.setPen(colours.color(QPalette::HighlightedText));
        painter.drawText(selectedLeft, baseline, displayText(selectedFrom, selectedTo));
        if (m_drawsNullSymbol)
            drawNullSymbols(painter, line, top);
    }
}

void ReceivedDataView::scrollContentsBy(int, int dy)
{
    if (m_scrollMovesPixels)
        viewport()->scroll(0, dy * m_metrics.lineSpacing());
    else
        viewport()->update();
}

void ReceivedDataView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    if (event->matches(QKeySequence::MoveToStartOfDocument)) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        return;
    }
    if (event->matches(QKeySequence::MoveToEndOfDocument)) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        return;
    }

    const int cursor = m_cursorPlaced ? m_cursor : m_store.size();
    const int line = m_store.lineOf(cursor);
    if (event->matches(QKeySequence::SelectNextChar))
        moveCursor(m_store.nextPosition(cursor), true);
    else if (event->matches(QKeySequence::SelectPreviousChar))
        moveCursor(m_store.previousPosition(cursor), true);
    else if (event->matches(QKeySequence::SelectNextLine))
        moveCursorByLines(1);
    else if (event->matches(QKeySequence::SelectPreviousLine))
        moveCursorByLines(-1);
    else if (event->matches(QKeySequence::SelectNextPage))
        moveCursorByLines(visibleLineCount());
    else if (event->matches(QKeySequence::SelectPreviousPage))
        moveCursorByLines(-visibleLineCount());
    else if (event->matches(QKeySequence::SelectStartOfLine))
        moveCursor(m_store.lineStart(line), true);
    else if (event->matches(QKeySequence::SelectEndOfLine))
        moveCursor(m_store.lineContentEnd(line), true);
    else if (event->matches(QKeySequence::SelectStartOfDocument))
        moveCursor(0, true);
    else if (event->matches(QKeySequence::SelectEndOfDocument))
        moveCursor(m_store.size(), true);
    else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    ensureCursorVisible();
    copyToSelectionClipboard();
}

void ReceivedDataView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    moveCursor(positionAt(event->pos()), event->modifiers().testFlag(Qt::ShiftModifier));
    m_mouseSelecting = true;
}

void ReceivedDataView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_mouseSelecting || !(event->buttons() & Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    if (event->pos().y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (event->pos().y() > viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    moveCursor(positionAt(event->pos()), true);
}

void ReceivedDataView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_mouseSelecting) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_mouseSelecting = false;
    copyToSelectionClipboard();
}

void ReceivedDataView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const int position = positionAt(event->pos());
    int start = position;
    int end = position;
    while (start > 0 && !text().at(start - 1).isSpace())
        --start;
    while (end < m_store.size() && !text().at(end).isSpace())
        ++end;
    moveCursor(start, false);
    moveCursor(end, true);
    copyToSelectionClipboard();
}

void ReceivedDataView::contextMenuEvent(QContextMenuEvent *event)
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *copyAction = menu->addAction(tr("Copy"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    connect(copyAction, &QAction::triggered, this, &ReceivedDataView::copy);
    QAction *selectAllAction = menu->addAction(tr("Select All"));
    selectAllAction->setShortcut(QKeySequence::SelectAll);
    selectAllAction->setEnabled(m_store.size() > 0);
    connect(selectAllAction, &QAction::triggered, this, &ReceivedDataView::selectAll);
    menu->addSeparator();
    menu->addAction(tr("Clear"), this, [this] {
        clear();
        emit clearRequested();
    });
    menu->popup(event->globalPos());
}
