#include "receive/receivedview.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QMenu>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <vector>

namespace {

using LineStarts = std::vector<int>;

// Line starts computed the slow, obvious way: split at the breaks, then for each line measure
// again from its start until something that is not a space no longer fits, and break after the
// last space before it, or right there if there is none.
class NaiveLayout
{
public:
    NaiveLayout(const QFont &font, int width)
        : m_metrics(font)
        , m_width(width)
    {}

    LineStarts lineStarts(const QString &text) const
    {
        LineStarts starts{0};
        int lineStart = 0;
        for (int i = 0; i < text.size(); ++i) {
            if (text[i] != '\r' && text[i] != '\n')
                continue;
            wrap(text, lineStart, i, starts);
            const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
            lineStart = i + (crlf ? 2 : 1);
            starts.push_back(lineStart);
            i = lineStart - 1;
        }
        wrap(text, lineStart, text.size(), starts);
        return starts;
    }

private:
    static int length(const QString &text, int i)
    {
        return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                                : 1;
    }

    int advance(const QString &text, int i) const
    {
        const int n = length(text, i);
        return n == 1 ? m_metrics.horizontalAdvance(text[i])
                      : m_metrics.horizontalAdvance(text.mid(i, n));
    }

    void wrap(const QString &text, int start, int end, LineStarts &starts) const
    {
        for (;;) {
            int overflow = -1;
            int x = 0;
            for (int i = start; i < end; i += length(text, i)) {
                const int w = advance(text, i);
                if (i > start && text[i] != ' ' && x + w > m_width) {
                    overflow = i;
                    break;
                }
                x += w;
            }
            if (overflow < 0)
                return;
            int lineBreak = overflow;
            while (lineBreak > start && !(text[lineBreak - 1] == ' ' && text[lineBreak] != ' '))
                --lineBreak;
            start = lineBreak > start ? lineBreak : overflow;
            starts.push_back(start);
        }
    }

    QFontMetrics m_metrics;
    int m_width;
};

QString describeDifference(const LineStarts &actual, const LineStarts &expected)
{
    for (size_t i = 0; i < qMin(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i])
            return QString("line %1 starts at %2, expected %3")
                .arg(i)
                .arg(actual[i])
                .arg(expected[i]);
    }
    if (actual.size() != expected.size())
        return QString("%1 lines, expected %2").arg(actual.size()).arg(expected.size());
    return {};
}

QString randomText(QRandomGenerator &random, const QStringList &tokens, int length)
{
    QString text;
    while (text.size() < length)
        text += tokens[random.bounded(tokens.size())];
    return text;
}

// Cuts anywhere, also between the halves of a surrogate pair or of "\r\n".
QStringList randomPieces(QRandomGenerator &random, const QString &text, int longest)
{
    QStringList pieces;
    for (int at = 0; at < text.size();) {
        const int n = 1 + random.bounded(longest);
        pieces << text.mid(at, n);
        at += n;
    }
    return pieces;
}

const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
const QString musicalNote = QString::fromUtf8("\xF0\x9D\x84\x9E");
const QString cjk = QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87");
const QString combining = QString::fromUtf8("e\xCC\x81");
const QString nullSymbol(QChar(0x2400));

bool shown(ReceivedDataView &view, int width, int height)
{
    view.resize(width, height);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestReceivedView : public QObject
{
    Q_OBJECT

private slots:
    void lineIndex_data();
    void lineIndex();
    void selectionAndCopy_data();
    void selectionAndCopy();
    void longHistoryRewrapsOnceWidthSettles();
    void followsTheEnd();
    void storeLimit_data();
    void storeLimit();
    void repaintsAtScreenRate();
    void contextMenuClear();
};

void TestReceivedView::lineIndex_data()
{
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<int>("firstWidth");
    QTest::addColumn<int>("secondWidth");
    QTest::addColumn<quint32>("seed");

    const QStringList words{"OK", "status", " ", " ", "  ", "\r\n", "\n", "\r", "x", "12345"};
    QStringList mixed = words;
    mixed << cjk << emoji << musicalNote << combining << nullSymbol;
    const QStringList hexStream{" 4F", " 4B", " 0D", " 0A", " 00", " FF"};
    const QStringList wideOnly{cjk, emoji, musicalNote, cjk, nullSymbol};
    const QStringList breaks{"\r", "\n", "\r\n", "\n\r", "a", " "};

    QTest::newRow("words and breaks/wide then narrow") << words << 400 << 120 << 1u;
    QTest::newRow("mixed scripts/narrow then wide") << mixed << 90 << 500 << 2u;
    QTest::newRow("mixed scripts/medium") << mixed << 200 << 163 << 3u;
    QTest::newRow("hexadecimal stream/no breaks") << hexStream << 300 << 77 << 4u;
    QTest::newRow("wide characters only/narrower than one") << wideOnly << 12 << 250 << 5u;
    QTest::newRow("breaks only") << breaks << 150 << 40 << 6u;
    QTest::newRow("mixed scripts/two characters wide") << mixed << 60 << 500 << 7u;
}

void TestReceivedView::lineIndex()
{
    QFETCH(QStringList, tokens);
    QFETCH(int, firstWidth);
    QFETCH(int, secondWidth);
    QFETCH(quint32, seed);

    QRandomGenerator random(seed);
    const QString text = randomText(random, tokens, 6000);
    const QStringList pieces = randomPieces(random, text, 80);

    ReceivedDataView view;
    QVERIFY(shown(view, firstWidth, 300));
    const int firstWrap = view.wrapWidth();

    QString appended;
    for (int i = 0; i < pieces.size(); ++i) {
        view.appendText(pieces[i]);
        appended += pieces[i];
        // A high surrogate at the end waits for its other half before it is laid out.
        if (i % 10 == 0 && !appended.at(appended.size() - 1).isHighSurrogate())
            QCOMPARE(describeDifference(view.lineStarts(),
                                        NaiveLayout(view.font(), firstWrap).lineStarts(appended)),
                     QString());
    }
    QCOMPARE(view.text(), text);
    QCOMPARE(
        describeDifference(view.lineStarts(), NaiveLayout(view.font(), firstWrap).lineStarts(text)),
        QString());

    view.resize(secondWidth, 300);
    QTRY_VERIFY(view.wrapWidth() != firstWrap);
    QCOMPARE(describeDifference(view.lineStarts(),
                                NaiveLayout(view.font(), view.wrapWidth()).lineStarts(text)),
             QString());
}

// Dragging the window's edge must not rewrap a long history at every step.
void TestReceivedView::longHistoryRewrapsOnceWidthSettles()
{
    ReceivedDataView view;
    QVERIFY(shown(view, 400, 300));
    QString history;
    for (int i = 0; i < 100000; ++i)
        history += QStringLiteral(" %1").arg(i % 256, 2, 16, QLatin1Char('0')).toUpper();
    view.appendText(history);
    const int firstWrap = view.wrapWidth();

    for (int width = 420; width <= 600; width += 20) {
        view.resize(width, 300);
        QCOMPARE(view.wrapWidth(), firstWrap);
    }
    QTRY_VERIFY(view.wrapWidth() != firstWrap);
    QCOMPARE(describeDifference(view.lineStarts(),
                                NaiveLayout(view.font(), view.wrapWidth()).lineStarts(history)),
             QString());
}

// In a view that holds four lines, 0 "first line" CR LF, 1 "second 😀 line" LF, 2 "third" CR
// and 3 "fourth ␀ end": gestures separated by ",", each "press", "shift-press", "release",
// "move" (with the left button held) or "double-click" at a line's "start" or "end", or "key"
// and a key sequence; then the text selected, which Copy must give.
void TestReceivedView::selectionAndCopy_data()
{
    QTest::addColumn<QString>("gestures");
    QTest::addColumn<QString>("expected");

    QTest::newRow("mouse/drag line 1 start to line 2 end")
        << QStringLiteral("press 1 start, move 2 end, release 2 end")
        << QStringLiteral("second 😀 line\nthird");
    QTest::newRow("mouse/drag backwards from line 3 end to line 1 start")
        << QStringLiteral("press 3 end, move 2 start, move 1 start, release 1 start")
        << QStringLiteral("second 😀 line\nthird\rfourth ␀ end");
    QTest::newRow("mouse/drag across a CR LF only")
        << QStringLiteral("press 0 end, move 1 start, release 1 start") << QStringLiteral("\r\n");
    QTest::newRow("mouse/shift and click extends")
        << QStringLiteral("press 0 start, release 0 start, shift-press 1 end, release 1 end")
        << QStringLiteral("first line\r\nsecond 😀 line");
    QTest::newRow("mouse/double click selects a word")
        << QStringLiteral("double-click 1 start") << QStringLiteral("second");
    QTest::newRow("keys/Shift+Right steps over CR LF")
        << QStringLiteral("press 0 end, release 0 end, key Shift+Right") << QStringLiteral("\r\n");
    QTest::newRow("keys/Shift+Left steps back over a surrogate pair")
        << QStringLiteral("press 1 end, release 1 end, key Shift+Left, key Shift+Left, key "
                          "Shift+Left, key Shift+Left, key Shift+Left, key Shift+Left")
        << QStringLiteral("😀 line");
    QTest::newRow("keys/Shift+Up over a lone CR")
        << QStringLiteral("press 3 start, release 3 start, key Shift+Up")
        << QStringLiteral("third\r");
    QTest::newRow("keys/Shift+Home") << QStringLiteral("press 3 end, release 3 end, key Shift+Home")
                                     << QStringLiteral("fourth ␀ end");
    QTest::newRow("keys/Shift+PageDown to the last line")
        << QStringLiteral("press 0 start, release 0 start, key Shift+PgDown")
        << QStringLiteral("first line\r\nsecond 😀 line\nthird\r");
    QTest::newRow("keys/Select All is the whole store")
        << QStringLiteral("press 2 start, release 2 start, key Ctrl+A")
        << QStringLiteral("first line\r\nsecond 😀 line\nthird\rfourth ␀ end");
}

void TestReceivedView::selectionAndCopy()
{
    QFETCH(QString, gestures);
    QFETCH(QString, expected);

    const QString text =
        "first line\r\nsecond " + emoji + " line\nthird\rfourth " + nullSymbol + " end";
    ReceivedDataView view;
    QVERIFY(shown(view, 400, 300));
    view.activateWindow();
    view.setFocus();
    view.appendText(text);
    QCOMPARE(view.lineStarts(), LineStarts({0, 12, 27, 33}));
    QGuiApplication::clipboard()->clear();

    QWidget *surface = view.viewport();
    const int lineHeight = QFontMetrics(view.font()).lineSpacing();
    for (const QString &gesture : gestures.split(QStringLiteral(", "))) {
        const QStringList words = gesture.split(' ');
        if (words[0] == "key") {
            QTest::keySequence(&view, QKeySequence(words[1]));
            continue;
        }
        const int line = words[1].toInt();
        const QPoint point(words[2] == "start" ? 0 : surface->width() - 1,
                           line * lineHeight + lineHeight / 2);
        if (words[0] == "press")
            QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, point);
        else if (words[0] == "shift-press")
            QTest::mousePress(surface, Qt::LeftButton, Qt::ShiftModifier, point);
        else if (words[0] == "release")
            QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, point);
        else if (words[0] == "double-click")
            QTest::mouseDClick(surface, Qt::LeftButton, Qt::NoModifier, point);
        else if (words[0] == "move") {
            // QTest::mouseMove sends no buttons; a drag needs the left one held.
            QMouseEvent move(QEvent::MouseMove, point, surface->mapToGlobal(point), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(surface, &move);
        } else
            QFAIL(qPrintable("unknown gesture " + gesture));
    }

    QCOMPARE(view.selectedText(), expected);
    QTest::keySequence(&view, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(view.text(), text);
}

void TestReceivedView::followsTheEnd()
{
    ReceivedDataView view;
    QVERIFY(shown(view, 300, 200));
    QScrollBar *bar = view.verticalScrollBar();

    for (int i = 0; i < 100; ++i)
        view.appendText(QString("reply %1\r\n").arg(i));
    QTRY_COMPARE(bar->maximum(), 101 - bar->pageStep());
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());

    // The user scrolls up to read: new data must not pull the view away.
    QTest::keyClick(&view, Qt::Key_PageUp);
    const int reading = bar->value();
    QVERIFY(reading < bar->maximum());
    for (int i = 0; i < 50; ++i)
        view.appendText(" 4F 4B\n");
    QTRY_COMPARE(bar->maximum(), 151 - bar->pageStep());
    QCOMPARE(bar->value(), reading);

    // Back at the end, following resumes.
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    view.appendText("more\nand more\n");
    QTRY_COMPARE(bar->maximum(), 153 - bar->pageStep());
    QCOMPARE(bar->value(), bar->maximum());

    // Clear while scrolled up leaves nothing to be scrolled away from.
    bar->setValue(0);
    view.clear();
    for (int i = 0; i < 30; ++i)
        view.appendText("line\n");
    QTRY_COMPARE(bar->maximum(), 31 - bar->pageStep());
    QCOMPARE(bar->value(), bar->maximum());
}

void TestReceivedView::storeLimit_data()
{
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<int>("width");
    QTest::addColumn<quint32>("seed");

    QTest::newRow("lines of text")
        << QStringList{"OK", "status 1", "\r\n", " ", "\n"} << 200 << 11u;
    QTest::newRow("hexadecimal without breaks") << QStringList{" 4F", " 4B", " 00"} << 200 << 12u;
    QTest::newRow("surrogate pairs only") << QStringList{emoji, musicalNote} << 200 << 13u;
    QTest::newRow("mixed scripts")
        << QStringList{cjk, emoji, "\r", "\n", "a b", combining} << 200 << 15u;
    // No line starts near the cut: it falls wherever the size puts it.
    QTest::newRow("no line start near/spaces only") << QStringList{" "} << 200 << 14u;
    QTest::newRow("no line start near/surrogate pairs on one line")
        << QStringList{emoji, musicalNote} << 40000 << 16u;
}

void TestReceivedView::storeLimit()
{
    QFETCH(QStringList, tokens);
    QFETCH(int, width);
    QFETCH(quint32, seed);

    const int limit = 1000;
    QRandomGenerator random(seed);
    const QString all = randomText(random, tokens, 20 * limit);

    ReceivedDataView view;
    view.setStoreLimit(limit);
    QVERIFY(shown(view, width, 150));

    QString sent;
    const QString more = all.left(200);
    int selectionChecks = 0;
    for (const QString &piece : randomPieces(random, all, 60)) {
        view.appendText(piece);
        sent += piece;
        QVERIFY(view.text().size() <= limit);
        QVERIFY(view.text().isEmpty() || !view.text().front().isLowSurrogate());
        // The store is always the newest part of what arrived.
        QCOMPARE(view.text(), sent.right(view.text().size()));

        if (view.text().size() <= limit - more.size() / 2)
            continue;
        if (selectionChecks == 0 && sent.size() > 3 * limit) {
            // A selection of recent text keeps selecting the same text across a drop.
            for (int i = 0; i < 20; ++i)
                QTest::keyClick(&view, Qt::Key_Left, Qt::ShiftModifier);
            const QString before = view.selectedText();
            QVERIFY(!before.isEmpty());
            view.appendText(more);
            sent += more;
            QVERIFY(view.text().size() < limit - more.size() / 2);
            QCOMPARE(view.selectedText(), before);
            ++selectionChecks;
        } else if (selectionChecks == 1 && sent.size() > 6 * limit) {
            // One reaching into the dropped text keeps the part that remains.
            view.selectAll();
            const QString before = view.selectedText();
            view.appendText(more);
            sent += more;
            const int dropped = before.size() + more.size() - view.text().size();
            QVERIFY(dropped > 0);
            QCOMPARE(view.selectedText(), before.mid(dropped));
            ++selectionChecks;
        }
    }
    QCOMPARE(selectionChecks, 2);
    QVERIFY(view.text().size() >= limit / 2);
    QCOMPARE(describeDifference(view.lineStarts(),
                                NaiveLayout(view.font(), view.wrapWidth()).lineStarts(view.text())),
             QString());
}

// Not once an append: at most once a screen refresh, however long the appends take.
void TestReceivedView::repaintsAtScreenRate()
{
    ReceivedDataView view;
    QVERIFY(shown(view, 300, 200));
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);

    QElapsedTimer elapsed;
    elapsed.start();
    for (int i = 0; i < 1000; ++i) {
        view.appendText(" 4F 4B 0D 0A");
        QCoreApplication::processEvents();
    }
    const qint64 frames = elapsed.elapsed() / 16;
    QVERIFY2(counter.paints <= frames + 2, qPrintable(QString::number(counter.paints)));
    QTRY_VERIFY(counter.paints > 0);
}

void TestReceivedView::contextMenuClear()
{
    ReceivedDataView view;
    QVERIFY(shown(view, 300, 200));
    view.appendText("some\r\nreceived text");
    QSignalSpy cleared(&view, &ReceivedDataView::clearRequested);
    QVERIFY(cleared.isValid());

    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(10, 10),
                              view.viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(view.viewport(), &request);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QAction *clear = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text() == "Clear")
            clear = action;
    }
    QVERIFY(clear != nullptr);
    clear->trigger();
    menu->close();

    QCOMPARE(cleared.count(), 1);
    QVERIFY(view.text().isEmpty());
    QCOMPARE(view.lineStarts(), LineStarts{0});
}

QTEST_MAIN(TestReceivedView)
#include "tst_receivedview.moc"
