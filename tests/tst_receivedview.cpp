#include "receive/receivedview.h"

#include <QClipboard>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

namespace {

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
    void wrapsAtItsWidth();
    void selectionAndCopy_data();
    void selectionAndCopy();
    void followsTheEnd();
    void screenShowsTheText();
};

// Digits without a space wrap between any two, with a larger font in a narrower view: each line
// but the last ends at the last digit that fits before the edge.
void TestReceivedView::wrapsAtItsWidth()
{
    ReceivedDataView view;
    QVERIFY(shown(view, 300, 200));
    view.appendText(QString("0123456789").repeated(40));
    QFont font = view.font();
    font.setPointSize(font.pointSize() + 5);
    view.setFont(font);
    view.resize(150, 200);
    const int edge = view.viewport()->geometry().right();
    QVERIFY(view.lineStarts().size() > 3);
    for (auto start = view.lineStarts().begin() + 1; start != view.lineStarts().end(); ++start) {
        const QRect last = view.characterRect(*start - 1);
        QVERIFY(last.right() <= edge && last.right() + 2 * last.width() > edge);
    }
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

    ReceivedDataView view;
    QVERIFY(shown(view, 400, 300));
    view.setFocus();
    view.appendText("first line\r\nsecond 😀 line\nthird\rfourth ␀ end");
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
}

// The view follows the end, stops while the user reads further up, even as the oldest text is
// dropped, and follows again once back at the end.
void TestReceivedView::followsTheEnd()
{
    ReceivedDataView view;
    QVERIFY(shown(view, 300, 200));
    view.setStoreLimit(1000);
    QScrollBar *bar = view.verticalScrollBar();
    const auto append = [&view](int lines) {
        for (int i = 0; i < lines; ++i)
            view.appendText(QString("reply %1\r\n").arg(i));
    };
    const auto lastTopLine = [&] {
        return view.text().count("\r\n") + 1 - bar->pageStep();
    };
    append(100);
    QTRY_COMPARE(bar->maximum(), lastTopLine());
    QCOMPARE(bar->value(), bar->maximum());

    QTest::keyClick(&view, Qt::Key_PageUp);
    const int reading = view.lineStarts()[bar->value()];
    view.setSelection(reading, reading + 9);
    const QString read = view.selectedText();
    append(50);
    QTRY_COMPARE(bar->maximum(), lastTopLine());
    QVERIFY(view.text().size() < 1000 && view.selectedText() == read);
    QCOMPARE(view.lineStarts()[bar->value()], view.selectionStart());

    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    append(2);
    QTRY_COMPARE(bar->maximum(), lastTopLine());
    QCOMPARE(bar->value(), bar->maximum());
}

// As text streams in, the screen comes to show what drawing the whole view again gives: lines
// drawn before moved up with their pixels, the last one extended or wrapped, the oldest text
// dropped, the scroll bar's handle where the new range puts it.
void TestReceivedView::screenShowsTheText()
{
    ReceivedDataView view;
    QVERIFY(shown(view, 300, 200));
    view.setStoreLimit(1500);
    const auto onScreen = [&view] {
        const QPixmap shown = view.screen()->grabWindow(view.winId());
        return shown.toImage().convertToFormat(QImage::Format_RGB32);
    };
    const auto drawnAgain = [&view] {
        return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    QScrollBar *bar = view.verticalScrollBar();
    const QStringList chunks = {"first",      " AB", " CD CD CD CD CD CD CD CD CD CD CD",
                                "\r\nOK\r\n", " EF", " 01"};
    for (int round = 0; round < 40; ++round) {
        view.appendText(chunks[round % chunks.size()].repeated(1 + round % 3 * round));
        // The range is set when the new text is drawn, after the text is stored.
        QTRY_COMPARE(bar->maximum(), qMax(0, int(view.lineStarts().size()) - bar->pageStep()));
        QTRY_COMPARE(onScreen(), drawnAgain());
    }
}

QTEST_MAIN(TestReceivedView)
#include "tst_receivedview.moc"
