#include "receive/receivedtext.h"
#include "receive/receivedview.h"

#include <QClipboard>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QtTest>

namespace {

using LineStarts = std::vector<int>;

// Line starts found the slow, obvious way: at each line break, and wherever a character that is
// not a space would reach past the width, after the last space before it on its line, or right
// there when there is none.
LineStarts naiveLayout(const QString &text, const QFontMetrics &metrics, int width)
{
    LineStarts starts{0};
    for (int i = 0, x = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            i += text.midRef(i, 2) == QLatin1String("\r\n");
            starts.push_back(i + 1);
            x = 0;
            continue;
        }
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const int w =
            pair ? metrics.horizontalAdvance(text.mid(i, 2)) : metrics.horizontalAdvance(text[i]);
        if (text[i] != ' ' && i > starts.back() && x + w > width) {
            int lineBreak = i;
            while (lineBreak > starts.back() &&
                   (text[lineBreak - 1] != ' ' || text[lineBreak] == ' '))
                --lineBreak;
            starts.push_back(lineBreak > starts.back() ? lineBreak : i);
            i = starts.back() - 1;
            x = 0;
            continue;
        }
        x += w;
        i += pair;
    }
    return starts;
}

bool shown(ReceivedDataView &view, int width, int height)
{
    view.resize(width, height);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

} // namespace

class TestReceivedView : public QObject
{
    Q_OBJECT

private slots:
    void render_data();
    void render();
    void storeAndIndex_data();
    void storeAndIndex();
    void selectionAndCopy_data();
    void selectionAndCopy();
    void followsTheEnd();
};

// The text that reads of bytes append to the view. Steps are "clear" or a mode (ASCII, Hex or
// Dec), a colon and the bytes of one read, in hexadecimal; each has the text that it appends.
// "�" is U+FFFD.
void TestReceivedView::render_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("texts");
    const auto row = [](const char *name, const QStringList &steps, const QStringList &texts) {
        QTest::newRow(name) << steps << texts;
    };
    row("hexadecimal/zero, 0F, 10, AB, FF", {"Hex:000F10ABFF"}, {" 00 0F 10 AB FF"});
    row("decimal/one, two and three digits", {"Dec:00090A6364FF"}, {" 0 9 10 99 100 255"});
    row("ascii/zero bytes kept, nothing cut", {"ASCII:490031320000454E4400"},
        {QString::fromUtf8("I\00012\000\000END\000", 10)});
    row("ascii/two, three and four byte characters", {"ASCII:636166C3A920E4B8AD20F09F9880"},
        {"café 中 😀"});
    row("ascii/overlong three byte form refused", {"ASCII:E080AF"}, {"���"});
    row("ascii/four byte character split across three reads",
        {"ASCII:F0", "ASCII:9F98", "ASCII:80"}, {"", "", "😀"});
    row("mode switch/pending character cut off by hexadecimal",
        {"ASCII:41E4B8", "Hex:AD", "Dec:31", "ASCII:AD"}, {"A", "� AD", " 49", "�"});
    row("clear/drops the pending bytes", {"ASCII:E4B8", "clear", "ASCII:AD5A"}, {"", "", "�Z"});
}

void TestReceivedView::render()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, texts);

    const ReceiveMode modes[] = {ReceiveMode::Ascii, ReceiveMode::Hexadecimal,
                                 ReceiveMode::Decimal};
    ReceiveDecoderState state;
    for (int i = 0; i < steps.size(); ++i) {
        const QByteArray bytes = QByteArray::fromHex(steps[i].section(':', 1).toLatin1());
        if (steps[i] == "clear")
            state.reset();
        else
            QCOMPARE(renderReceivedChunk(bytes, modes[QString("AHD").indexOf(steps[i][0])], state),
                     texts[i]);
    }
}

void TestReceivedView::storeAndIndex_data()
{
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<int>("firstWidth");
    QTest::addColumn<int>("secondWidth");
    QTest::addColumn<int>("storeLimit");

    const QStringList words{"OK", "status", " ", "  ", "\r\n", "\n", "\r", "x", "12345"};
    const QStringList mixed = words + QStringList{"中文", "😀", "𝄞", "e\u0301", "␀"};
    const QStringList hexadecimal{" 4F", " 4B", " 0D", " 0A", " 00", " FF"};
    QTest::newRow("words and breaks/wide then narrow") << words << 400 << 120 << (1 << 20);
    QTest::newRow("mixed scripts/narrow then wide") << mixed << 90 << 500 << (1 << 20);
    QTest::newRow("hexadecimal without breaks") << hexadecimal << 300 << 77 << (1 << 20);
    QTest::newRow("a word too long after a leading space")
        << QStringList{"\n ", "status", "OK"} << 150 << 60 << (1 << 20);
    QTest::newRow("capped/lines of text") << words << 200 << 120 << 1000;
    QTest::newRow("capped/hexadecimal without breaks") << hexadecimal << 200 << 120 << 1000;
    QTest::newRow("capped/surrogate pairs only") << QStringList{"😀", "𝄞"} << 200 << 120 << 1000;
}

// Appended in pieces that also cut surrogate pairs and CR LF apart, and shown at two widths: the
// store is always the newest text, no more than the cap, and its index the naive layout.
void TestReceivedView::storeAndIndex()
{
    QFETCH(QStringList, tokens);
    QFETCH(int, firstWidth);
    QFETCH(int, secondWidth);
    QFETCH(int, storeLimit);

    QRandomGenerator random(7);
    QString sent;
    while (sent.size() < 12000)
        sent += tokens[random.bounded(tokens.size())];
    ReceivedDataView view;
    view.setStoreLimit(storeLimit);
    QVERIFY(shown(view, firstWidth, 300));
    const QFontMetrics metrics(view.font());
    for (int at = 0, step = 0; at < sent.size(); at += 37, ++step) {
        view.appendText(sent.mid(at, 37));
        const QString &kept = view.text();
        QCOMPARE(kept, sent.left(at + 37).right(kept.size()));
        QVERIFY(kept.size() <= view.storeLimit() && !kept.front().isLowSurrogate());
        // The index is built on the previous one: a step that spoils it leaves it spoilt.
        if (step % 5 == 0 && !kept.back().isHighSurrogate())
            QCOMPARE(view.lineStarts(), naiveLayout(kept, metrics, view.wrapWidth()));
    }
    QVERIFY(view.text().size() >= qMin(int(sent.size()), storeLimit / 2));
    const int firstWrap = view.wrapWidth();
    view.resize(secondWidth, 300);
    QTRY_VERIFY(view.wrapWidth() != firstWrap);
    QCOMPARE(view.lineStarts(), naiveLayout(view.text(), metrics, view.wrapWidth()));
}

// In a view of four lines, 0 "first line" CR LF, 1 "second 😀 line" LF, 2 "third" CR and 3
// "fourth ␀ end": a click at a line's "start" or "end", then keys; the text selected is the text
// stored, and Copy gives it.
void TestReceivedView::selectionAndCopy_data()
{
    QTest::addColumn<QString>("click");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Shift+Right steps over a CR LF")
        << "0 end" << QStringList{"Shift+Right"} << "\r\n";
    QTest::newRow("Shift+Up over a lone CR") << "3 start" << QStringList{"Shift+Up"} << "third\r";
    QTest::newRow("Shift+Left steps over a surrogate pair")
        << "1 end" << QStringList(QVector<QString>(6, "Shift+Left").toList()) << "😀 line";
    QTest::newRow("Select All is the whole store")
        << "2 start" << QStringList{"Ctrl+A"} << "first line\r\nsecond 😀 line\nthird\rfourth ␀ end";
}

void TestReceivedView::selectionAndCopy()
{
    QFETCH(QString, click);
    QFETCH(QStringList, keys);
    QFETCH(QString, expected);

    const QString text = "first line\r\nsecond 😀 line\nthird\rfourth ␀ end";
    ReceivedDataView view;
    QVERIFY(shown(view, 400, 300));
    view.setFocus();
    view.appendText(text);
    QCOMPARE(view.lineStarts(), LineStarts({0, 12, 27, 33}));
    QGuiApplication::clipboard()->clear();
    QWidget *surface = view.viewport();
    const int lineHeight = QFontMetrics(view.font()).lineSpacing();
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier,
                      QPoint(click.endsWith("start") ? 0 : surface->width() - 1,
                             click.left(1).toInt() * lineHeight + lineHeight / 2));
    for (const QString &key : keys)
        QTest::keySequence(&view, QKeySequence(key));
    QCOMPARE(view.selectedText(), expected);
    QTest::keySequence(&view, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(view.text(), text);
}

// The view follows the end, stops while the user reads further up, and follows again once back
// at the end.
void TestReceivedView::followsTheEnd()
{
    ReceivedDataView view;
    QVERIFY(shown(view, 300, 200));
    QScrollBar *bar = view.verticalScrollBar();
    const auto append = [&view](int lines) {
        for (int i = 0; i < lines; ++i)
            view.appendText(QString("reply %1\r\n").arg(i));
    };
    append(100);
    QTRY_COMPARE(bar->maximum(), 101 - bar->pageStep());
    QCOMPARE(bar->value(), bar->maximum());

    QTest::keyClick(&view, Qt::Key_PageUp);
    const int reading = bar->value();
    QVERIFY(reading < bar->maximum());
    append(50);
    QTRY_COMPARE(bar->maximum(), 151 - bar->pageStep());
    QCOMPARE(bar->value(), reading);

    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    append(2);
    QTRY_COMPARE(bar->maximum(), 153 - bar->pageStep());
    QCOMPARE(bar->value(), bar->maximum());
}

QTEST_MAIN(TestReceivedView)
#include "tst_receivedview.moc"
