#include "receive/receivedstore.h"
#include "receive/receivedtext.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Narrow, wide and wider characters, as a font has them, but the same on every machine.
int advance(char32_t c)
{
    return c < 0x80 ? 7 : c < 0x10000 ? 12 : 16;
}

// Line starts found the slow, obvious way: at each line break, and wherever a character that is
// not a space would reach past the width, after the last space before it on its line, or right
// there when there is none.
std::vector<int> naiveLayout(const QString &text, int width)
{
    std::vector<int> starts{0};
    for (int i = 0, x = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate())
            continue; // measured with the high half, before which the pair may wrap
        const int w = advance(QStringView(text).mid(i, 2).toUcs4().front());
        int lineBreak = i;
        if (text[i] == '\r' || text[i] == '\n') {
            starts.push_back(i + 1 + (QStringView(text).mid(i, 2) == QLatin1String("\r\n")));
        } else if (text[i] != ' ' && i > starts.back() && x + w > width) {
            while (lineBreak > starts.back() &&
                   (text[lineBreak - 1] != ' ' || text[lineBreak] == ' '))
                --lineBreak;
            starts.push_back(lineBreak > starts.back() ? lineBreak : i);
        } else {
            x += w;
            continue;
        }
        i = starts.back() - 1;
        x = 0;
    }
    return starts;
}

} // namespace

class TestReceivedStore : public QObject
{
    Q_OBJECT

private slots:
    void render_data();
    void render();
    void storeAndIndex_data();
    void storeAndIndex();
};

// The text that reads of bytes append to the view. Steps are "clear" or a mode (A for ASCII, H
// for Hex or D for Dec), a colon and the bytes of one read, in hexadecimal; each has the text that
// it appends, separated by "|". "�" is U+FFFD.
void TestReceivedStore::render_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("texts");
    const auto row = [](const char *name, const QString &steps, const QString &texts) {
        QTest::newRow(name) << steps.split(' ') << texts.split('|');
    };
    row("hexadecimal/zero, 0F, 10, AB, FF", "H:000F10ABFF", " 00 0F 10 AB FF");
    row("decimal/one, two and three digits", "D:00090A6364FF", " 0 9 10 99 100 255");
    row("ascii/zero bytes kept", "A:490031320000454E4400",
        QLatin1String("I\00012\000\000END\000", 10));
    row("ascii/two, three and four byte characters", "A:636166C3A920E4B8AD20F09F9880", "café 中 😀");
    row("ascii/overlong three byte form refused", "A:E080AF", "���");
    row("ascii/first and last surrogate refused, across reads", "A:EDA080ED A:BFBF", "���|���");
    row("ascii/either side of the surrogates kept", "A:ED9FBFEE8080", "\uD7FF\uE000");
    row("ascii/four byte character split across three reads", "A:F0 A:9F98 A:80", "||😀");
    row("mode switch/pending character cut off", "A:41E4B8 H:AD D:31 A:AD", "A|� AD| 49|�");
    row("clear/drops the pending bytes", "A:E4B8 clear A:AD5A", "||�Z");
}

void TestReceivedStore::render()
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

void TestReceivedStore::storeAndIndex_data()
{
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<int>("firstWidth");
    QTest::addColumn<int>("secondWidth");
    QTest::addColumn<int>("limit");

    const QStringList words{"OK", "status", " ", "  ", "\r\n", "\n", "\r", "x", "12345"};
    const QStringList mixed = words + QStringList{"中文", "😀", "𝄞", "e\u0301", "␀"};
    const QStringList hexadecimal{" 4F", " 4B", " 0D", " 0A", " 00", " FF"};
    QTest::newRow("words and breaks/wide then narrow") << words << 400 << 120 << (1 << 20);
    QTest::newRow("mixed scripts/narrow then wide") << mixed << 90 << 500 << (1 << 20);
    QTest::newRow("hexadecimal without breaks") << hexadecimal << 300 << 77 << (1 << 20);
    QTest::newRow("a word too long after a leading space")
        << QStringList{"\n ", "status", "OK"} << 150 << 60 << (1 << 20);
    QTest::newRow("narrower than any character") << mixed << 5 << 1 << (1 << 20);
    QTest::newRow("capped/lines of mixed scripts") << mixed << 200 << 120 << 1000;
    QTest::newRow("capped/pairs on one line") << QStringList{"😀", "𝄞"} << (1 << 30) << 30 << 1000;
    QTest::newRow("capped/few characters, cut anywhere") << mixed << 200 << 120 << 24;
}

// After a Clear, appended in pieces that also cut surrogate pairs and CR LF apart, and wrapped at
// two widths: the store is always the newest text, no more than the limit, and its index the
// naive layout.
void TestReceivedStore::storeAndIndex()
{
    QFETCH(QStringList, tokens);
    QFETCH(int, firstWidth);
    QFETCH(int, secondWidth);
    QFETCH(int, limit);

    QRandomGenerator random(7);
    QString sent;
    while (sent.size() < 12000)
        sent += tokens[random.bounded(tokens.size())];
    ReceivedStore store(advance);
    store.setWrapWidth(firstWidth);
    store.setLimit(limit);
    // Cleared with half a surrogate pair waiting for its other half.
    store.append(sent.left(1000) + QChar(0xD83D));
    store.clear();
    for (int at = 0, keptFrom = 0; at < sent.size(); at += 37) {
        const int dropped = store.append(sent.mid(at, 37));
        keptFrom += dropped;
        const QString &kept = store.text();
        QCOMPARE(kept, sent.mid(keptFrom, at + 37 - keptFrom));
        // Dropped in one block, down to three quarters of the limit or a little less, splitting
        // neither a CR LF nor a surrogate pair (which would be one code point).
        const QString seam = sent.mid(keptFrom - 1, 2);
        QVERIFY(kept.size() <= (dropped ? limit - limit / 4 : limit));
        QVERIFY(!dropped ||
                (kept.size() >= limit / 2 && seam != "\r\n" && seam.toUcs4().size() == 2));
        if (!kept.back().isHighSurrogate())
            QCOMPARE(store.lineStarts(), naiveLayout(kept, firstWidth));
    }
    store.setWrapWidth(secondWidth);
    QCOMPARE(store.lineStarts(), naiveLayout(store.text(), secondWidth));
    // A limit lowered below what the store holds drops the oldest text at once.
    QVERIFY(store.setLimit(8) > 0 && store.size() <= 6 && sent.endsWith(store.text()));
}

QTEST_APPLESS_MAIN(TestReceivedStore)
#include "tst_receivedstore.moc"
