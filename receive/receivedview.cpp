#include "receive/receivedview.h"
#include "receive/receivedviewaccessible.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int sideMargin = 4;
constexpr int topMargin = 2;
// About the screen's rate: a burst of appends costs one repaint.
constexpr int refreshIntervalMs = 16;
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

struct CodePoint
{
    char32_t value;
    int length;
};

CodePoint codePointAt(const QString &text, int position)
{
    const QChar unit = text.at(position);
    if (unit.isHighSurrogate() && position + 1 < text.size()) {
        const QChar low = text.at(position + 1);
        if (low.isLowSurrogate())
            return {QChar::surrogateToUcs4(unit, low), 2};
    }
    return {unit.unicode(), 1};
}

} // namespace

ReceivedDataView::ReceivedDataView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_metrics(font())
{
    ReceivedDataAccessible::install();
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
    m_refreshTimer.setInterval(refreshIntervalMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, [this] {
        updateScrollRange();
        viewport()->update();
        announceNewText();
    });
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(settleIntervalMs);
    connect(&m_settleTimer, &QTimer::timeout, this, &ReceivedDataView::relayout);
    // Measure and lay out whether or not setFont() reported a change.
    onFontChanged();
}

QString ReceivedDataView::selectedText() const
{
    return m_text.mid(qMin(m_anchor, m_cursor), qAbs(m_cursor - m_anchor));
}

void ReceivedDataView::setStoreLimit(int characters)
{
    m_storeLimit = qMax(1, characters);
    if (m_text.size() > m_storeLimit) {
        dropOldestText();
        scheduleRefresh();
    }
}

void ReceivedDataView::appendText(const QString &text)
{
    if (text.isEmpty())
        return;
    // Room for a whole history is taken with its first text; room never written costs no
    // resident memory. Grown by reallocation instead, the history ends up in remapped memory,
    // which some machines are slow to write again: the first drop of the oldest text then held
    // the window for about 80 ms instead of 3.
    if (m_text.isEmpty())
        m_text.reserve(m_storeLimit + m_storeLimit / 8);
    m_text += text;
    indexNewText();
    if (m_text.size() > m_storeLimit)
        dropOldestText();
    scheduleRefresh();
}

void ReceivedDataView::clear()
{
    // Assigning fresh containers gives the memory of a long history back.
    m_text = QString();
    m_lineStarts = std::vector<int>{0};
    m_scan = LineScan();
    m_anchor = 0;
    m_cursor = 0;
    m_cursorPlaced = false;
    m_followingEnd = true;
    m_announcedSize = 0;
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
    m_anchor = qBound(0, anchor, int(m_text.size()));
    m_cursor = qBound(0, cursor, int(m_text.size()));
    m_cursorPlaced = true;
    viewport()->update();
}

QRect ReceivedDataView::characterRect(int position) const
{
    if (position < 0 || position >= m_text.size())
        return QRect();
    const int line = lineOf(position);
    const QPoint corner(sideMargin + xOf(line, position),
                        topMargin + (line - topLine()) * m_metrics.lineSpacing());
    const QRect inViewport(
        corner, QSize(advance(codePointAt(m_text, position).value), m_metrics.lineSpacing()));
    return inViewport.translated(viewport()->pos());
}

// Told once per repaint, not once per chunk: a streaming device would flood a screen reader.
void ReceivedDataView::announceNewText()
{
    m_announcedSize = qMin(m_announcedSize, int(m_text.size()));
    if (m_announcedSize == m_text.size() || !QAccessible::isActive()) {
        m_announcedSize = m_text.size();
        return;
    }
    QAccessibleTextInsertEvent inserted(this, m_announcedSize,
                                        shownText(m_announcedSize, m_text.size()));
    QAccessible::updateAccessibility(&inserted);
    m_announcedSize = m_text.size();
}

void ReceivedDataView::selectAll()
{
    m_anchor = 0;
    m_cursor = m_text.size();
    m_cursorPlaced = true;
    copyToSelectionClipboard();
    viewport()->update();
}

int ReceivedDataView::advance(char32_t codePoint) const
{
    codePoint = shownCodePoint(codePoint);
    if (codePoint < 0x10000) {
        qint16 &width = m_bmpAdvances[codePoint];
        if (width < 0)
            width = static_cast<qint16>(
                m_metrics.horizontalAdvance(QChar(static_cast<char16_t>(codePoint))));
        return width;
    }
    auto known = m_otherAdvances.constFind(codePoint);
    if (known == m_otherAdvances.constEnd())
        known = m_otherAdvances.insert(
            codePoint, m_metrics.horizontalAdvance(QString::fromUcs4(&codePoint, 1)));
    return *known;
}

// Continues from where the last call stopped; the state of the unfinished last line is kept in
// m_scan, so each character is examined once.
void ReceivedDataView::indexNewText()
{
    const QChar *text = m_text.constData();
    const int size = m_text.size();
    int lineStart = m_lineStarts.back();
    LineScan &scan = m_scan;
    while (scan.position < size) {
        const int position = scan.position;
        const QChar unit = text[position];
        if (unit == QLatin1Char('\n') || unit == QLatin1Char('\r')) {
            if (unit == QLatin1Char('\n') && position > 0 &&
                text[position - 1] == QLatin1Char('\r') && lineStart == position)
                m_lineStarts.back() = position + 1; // the '\r' has already ended the line
            else
                m_lineStarts.push_back(position + 1);
            lineStart = m_lineStarts.back();
            scan = LineScan{position + 1};
            continue;
        }
        CodePoint codePoint{unit.unicode(), 1};
        if (unit.isHighSurrogate()) {
            if (position + 1 == size)
                break; // its other half comes with the next append
            codePoint = codePointAt(m_text, position);
        }
        const int width = advance(codePoint.value);
        if (unit != QLatin1Char(' ') && position > lineStart) {
            if (text[position - 1] == QLatin1Char(' ')) {
                scan.wordStart = position;
                scan.widthBeforeWord = scan.width;
            }
            if (scan.width + width > m_wrapWidth) {
                if (scan.wordStart > lineStart) {
                    lineStart = scan.wordStart;
                    m_lineStarts.push_back(lineStart);
                    scan.width -= scan.widthBeforeWord;
                }
                scan.wordStart = -1;
                if (position > lineStart && scan.width + width > m_wrapWidth) {
                    lineStart = position;
                    m_lineStarts.push_back(lineStart);
                    scan.width = 0;
                }
            }
        }
        scan.width += width;
        scan.position = position + codePoint.length;
    }
}

void ReceivedDataView::rebuildIndex()
{
    m_lineStarts.assign(1, 0);
    m_scan = LineScan();
    indexNewText();
}

// Drops about a quarter of the limit at once, so the copying this costs is spread over many
// appends. Cutting at a line start keeps the index of the rest valid as it is.
void ReceivedDataView::dropOldestText()
{
    const int target = m_text.size() - (m_storeLimit - m_storeLimit / 4);
    const int topPosition = m_lineStarts[topLine()];
    const auto firstKept = std::lower_bound(m_lineStarts.begin(), m_lineStarts.end(), target);
    const bool atLineStart =
        firstKept != m_lineStarts.end() && *firstKept - target <= m_storeLimit / 32;
    int cut = target;
    if (atLineStart)
        cut = *firstKept;
    else if (m_text.at(cut).isLowSurrogate() && m_text.at(cut - 1).isHighSurrogate())
        ++cut;
    else if (m_text.at(cut) == QLatin1Char('\n') && m_text.at(cut - 1) == QLatin1Char('\r'))
        ++cut;

    m_text.remove(0, cut);
    if (atLineStart) {
        m_lineStarts.erase(m_lineStarts.begin(), firstKept);
        for (int &start : m_lineStarts)
            start -= cut;
        m_scan.position -= cut;
        m_scan.wordStart -= cut;
    } else {
        rebuildIndex();
    }

    m_anchor = qMax(0, m_anchor - cut);
    m_cursor = qMax(0, m_cursor - cut);
    if (!m_followingEnd)
        updateScrollRange(lineOf(qMax(0, topPosition - cut)));
}

// Restarting a running timer would put the repaint off for as long as data keeps coming.
void ReceivedDataView::scheduleRefresh()
{
    if (!m_refreshTimer.isActive())
        m_refreshTimer.start();
}

int ReceivedDataView::availableWidth() const
{
    return qMax(1, viewport()->width() - 2 * sideMargin);
}

void ReceivedDataView::relayout()
{
    const int width = availableWidth();
    if (width == m_wrapWidth) {
        updateScrollRange();
        return;
    }
    const int topPosition = m_lineStarts[topLine()];
    m_wrapWidth = width;
    rebuildIndex();
    updateScrollRange(lineOf(topPosition));
}

// Keeps the given top line, or the end while following it.
void ReceivedDataView::updateScrollRange(int topLine)
{
    QScrollBar *bar = verticalScrollBar();
    const int visible = visibleLineCount();
    m_settingScroll = true;
    bar->setRange(0, qMax(0, lineCount() - visible));
    bar->setPageStep(visible);
    if (m_followingEnd)
        bar->setValue(bar->maximum());
    else if (topLine >= 0)
        bar->setValue(topLine);
    m_settingScroll = false;
    // Shrunk onto the end, the user could not scroll down to resume following.
    if (bar->value() >= bar->maximum())
        m_followingEnd = true;
}

void ReceivedDataView::onScrolled(int value)
{
    if (!m_settingScroll)
        m_followingEnd = value >= verticalScrollBar()->maximum();
}

char32_t ReceivedDataView::shownCodePoint(char32_t codePoint) const
{
    // The view draws the zero byte's symbol itself where the font has none.
    if (codePoint == 0 && m_drawsNullSymbol)
        return ' ';
    return displayCodePoint(codePoint);
}

void ReceivedDataView::onFontChanged()
{
    m_metrics = QFontMetrics(font());
    m_drawsNullSymbol = !m_metrics.inFontUcs4(displayCodePoint(0));
    m_bmpAdvances.assign(0x10000, -1);
    m_otherAdvances.clear();
    m_wrapWidth = 0;
    relayout();
}

int ReceivedDataView::visibleLineCount() const
{
    return qMax(1, (viewport()->height() - topMargin) / m_metrics.lineSpacing());
}

int ReceivedDataView::topLine() const
{
    return qBound(0, verticalScrollBar()->value(), lineCount() - 1);
}

int ReceivedDataView::lineOf(int position) const
{
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position);
    return qMax(0, static_cast<int>(after - m_lineStarts.begin()) - 1);
}

// The end of what the line shows: before the break that ends it, if any.
int ReceivedDataView::lineContentEnd(int line) const
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

int ReceivedDataView::xOf(int line, int position) const
{
    int x = 0;
    for (int p = m_lineStarts[line]; p < position;) {
        const CodePoint codePoint = codePointAt(m_text, p);
        x += advance(codePoint.value);
        p += codePoint.length;
    }
    return x;
}

int ReceivedDataView::positionInLine(int line, int x) const
{
    const int end = lineContentEnd(line);
    int left = 0;
    for (int p = m_lineStarts[line]; p < end;) {
        const CodePoint codePoint = codePointAt(m_text, p);
        const int width = advance(codePoint.value);
        if (2 * x < 2 * left + width)
            return p;
        left += width;
        p += codePoint.length;
    }
    return end;
}

int ReceivedDataView::positionAt(const QPoint &point) const
{
    const int lineHeight = m_metrics.lineSpacing();
    const int y = point.y() - topMargin;
    const int offset = y >= 0 ? y / lineHeight : -1 - (-y - 1) / lineHeight;
    const int line = qBound(0, topLine() + offset, lineCount() - 1);
    return positionInLine(line, point.x() - sideMargin);
}

// Steps over a whole surrogate pair or "\r\n", so a selection never splits one.
int ReceivedDataView::nextPosition(int position) const
{
    if (position >= m_text.size())
        return m_text.size();
    if (m_text.at(position) == QLatin1Char('\r') && position + 1 < m_text.size() &&
        m_text.at(position + 1) == QLatin1Char('\n'))
        return position + 2;
    return position + codePointAt(m_text, position).length;
}

int ReceivedDataView::previousPosition(int position) const
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

QString ReceivedDataView::displayText(int from, int to) const
{
    QString shown = m_text.mid(from, to - from);
    for (QChar &unit : shown)
        unit = QChar(static_cast<char16_t>(shownCodePoint(unit.unicode())));
    return shown;
}

QString ReceivedDataView::shownText(int from, int to) const
{
    QString shown = m_text.mid(from, to - from);
    for (QChar &unit : shown)
        unit = QChar(static_cast<char16_t>(displayCodePoint(unit.unicode())));
    return shown;
}

// A framed 0 in the zero byte's place: never mistaken for a received character.
void ReceivedDataView::drawNullSymbols(QPainter &painter, int line, int top) const
{
    // Only this line is searched: a paint must not cost more as the history grows.
    const int start = m_lineStarts[line];
    const QStringView shown = QStringView(m_text).mid(start, lineContentEnd(line) - start);
    int offset = shown.indexOf(QChar(0));
    if (offset < 0)
        return;
    QFont small = font();
    small.setPixelSize(qMax(6, m_metrics.height() / 2));
    painter.save();
    painter.setFont(small);
    for (; offset >= 0; offset = shown.indexOf(QChar(0), offset + 1)) {
        const QRect cell(sideMargin + xOf(line, start + offset), top + 2, advance(0) - 1,
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
        m_anchor = m_text.size();
        m_cursorPlaced = true;
    }
    m_cursor = position;
    if (!extend)
        m_anchor = position;
    viewport()->update();
}

void ReceivedDataView::moveCursorByLines(int lines)
{
    const int cursor = m_cursorPlaced ? m_cursor : m_text.size();
    const int line = lineOf(cursor);
    const int target = qBound(0, line + lines, lineCount() - 1);
    moveCursor(positionInLine(target, xOf(line, cursor)), true);
}

void ReceivedDataView::ensureCursorVisible()
{
    scrollToPosition(m_cursor);
}

void ReceivedDataView::scrollToPosition(int position)
{
    updateScrollRange();
    const int line = lineOf(qBound(0, position, int(m_text.size())));
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
    if (availableWidth() != m_wrapWidth && m_text.size() > quickRewrapLimit)
        m_settleTimer.start();
    else
        relayout();
}

void ReceivedDataView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QPalette &colours = palette();
    const int lineHeight = m_metrics.lineSpacing();
    const int ascent = m_metrics.ascent();
    const int first = topLine();
    const int last = qMin(lineCount(), first + viewport()->height() / lineHeight + 2);
    const int selectionStart = qMin(m_anchor, m_cursor);
    const int selectionEnd = qMax(m_anchor, m_cursor);

    for (int line = first; line < last; ++line) {
        const int top = topMargin + (line - first) * lineHeight;
        const int baseline = top + ascent;
        const int start = m_lineStarts[line];
        const int end = lineContentEnd(line);
        const int selectedFrom = qBound(start, selectionStart, end);
        const int selectedTo = qBound(start, selectionEnd, end);
        const bool hasBreak = line + 1 < lineCount() && m_lineStarts[line + 1] > end;
        const bool breakSelected = hasBreak && selectionStart <= end && selectionEnd > end;

        painter.setPen(colours.color(QPalette::Text));
        if (selectedFrom == selectedTo && !breakSelected) {
            painter.drawText(sideMargin, baseline, displayText(start, end));
            if (m_drawsNullSymbol)
                drawNullSymbols(painter, line, top);
            continue;
        }
        const int selectedLeft = sideMargin + xOf(line, selectedFrom);
        const int selectedRight = sideMargin + xOf(line, selectedTo);
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

void ReceivedDataView::scrollContentsBy(int, int)
{
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

    const int cursor = m_cursorPlaced ? m_cursor : m_text.size();
    const int line = lineOf(cursor);
    if (event->matches(QKeySequence::SelectNextChar))
        moveCursor(nextPosition(cursor), true);
    else if (event->matches(QKeySequence::SelectPreviousChar))
        moveCursor(previousPosition(cursor), true);
    else if (event->matches(QKeySequence::SelectNextLine))
        moveCursorByLines(1);
    else if (event->matches(QKeySequence::SelectPreviousLine))
        moveCursorByLines(-1);
    else if (event->matches(QKeySequence::SelectNextPage))
        moveCursorByLines(visibleLineCount());
    else if (event->matches(QKeySequence::SelectPreviousPage))
        moveCursorByLines(-visibleLineCount());
    else if (event->matches(QKeySequence::SelectStartOfLine))
        moveCursor(m_lineStarts[line], true);
    else if (event->matches(QKeySequence::SelectEndOfLine))
        moveCursor(lineContentEnd(line), true);
    else if (event->matches(QKeySequence::SelectStartOfDocument))
        moveCursor(0, true);
    else if (event->matches(QKeySequence::SelectEndOfDocument))
        moveCursor(m_text.size(), true);
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
    while (start > 0 && !m_text.at(start - 1).isSpace())
        --start;
    while (end < m_text.size() && !m_text.at(end).isSpace())
        ++end;
    moveCursor(start, false);
    moveCursor(end, true);
    copyToSelectionClipboard();
}

void ReceivedDataView::contextMenuEvent(QContextMenuEvent *event)
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *copyAction =
        menu->addAction(tr("Copy"), this, &ReceivedDataView::copy, QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    QAction *selectAllAction = menu->addAction(tr("Select All"), this, &ReceivedDataView::selectAll,
                                               QKeySequence::SelectAll);
    selectAllAction->setEnabled(!m_text.isEmpty());
    menu->addSeparator();
    menu->addAction(tr("Clear"), this, [this] {
        clear();
        emit clearRequested();
    });
    menu->popup(event->globalPos());
}
