#include "receive/receivedtext.h"

#include <QtTest>

class tst_ReceivedText : public QObject
{
    Q_OBJECT

private slots:
    void render_data();
    void render();
};

// Steps are "clear" or a mode, a colon and the bytes of one read, in hexadecimal; each has the
// text that it appends. "␀" is U+2400 and "�" U+FFFD.
void tst_ReceivedText::render_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("texts");
    const auto row = [](const char *name, const QStringList &steps, const QStringList &texts) {
        QTest::newRow(name) << steps << texts;
    };
    row("ascii/OK CR LF", {"ASCII:4F4B0D0A"}, {"OK\r\n"});
    row("hexadecimal/OK CR LF", {"Hex:4F4B0D0A"}, {" 4F 4B 0D 0A"});
    row("decimal/OK CR LF", {"Dec:4F4B0D0A"}, {" 79 75 13 10"});
    row("hexadecimal/zero, 0F, 10, FF", {"Hex:000F10FF"}, {" 00 0F 10 FF"});
    row("decimal/one, two and three digits", {"Dec:00090A6364FF"}, {" 0 9 10 99 100 255"});
    row("ascii/zero bytes kept, nothing cut", {"ASCII:49440031320000454E4400"},
        {QString::fromUtf8("ID\00012\000\000END\000", 11)});
    row("ascii/a received symbol for zero is no zero byte", {"ASCII:E29080"}, {"␀"});
    row("hexadecimal/zero bytes are ordinary bytes", {"Hex:410042"}, {" 41 00 42"});
    row("ascii/two, three and four byte characters", {"ASCII:636166C3A920E4B8AD20F09F9880"},
        {"café 中 😀"});
    row("ascii/stray continuation and bytes never used", {"ASCII:618062FF63C0AF64F8"},
        {"a�b�c��d�"});
    row("ascii/sequence broken off by a letter", {"ASCII:E4B841F09F98"}, {"�A"});
    row("ascii/encoded surrogate refused", {"ASCII:EDA08078"}, {"���x"});
    row("ascii/overlong three byte form refused", {"ASCII:E080AF"}, {"���"});
    row("ascii/above U+10FFFF refused", {"ASCII:F4908080"}, {"����"});
    row("ascii/highest code point accepted", {"ASCII:F48FBFBF"},
        {QString::fromUcs4(U"\U0010FFFF")});
    row("ascii/markup stays literal", {"ASCII:3C623E783C2F623E"}, {"<b>x</b>"});
    row("ascii/four byte character split across three reads",
        {"ASCII:F0", "ASCII:9F98", "ASCII:80"}, {"", "", "😀"});
    row("ascii/empty read keeps the pending bytes", {"ASCII:3CE4B8", "ASCII:", "ASCII:AD3E"},
        {"<", "", "中>"});
    row("ascii/split sequence broken off in the next read", {"ASCII:E4B8", "ASCII:41"}, {"", "�A"});
    row("mode switch/hexadecimal, decimal, ascii", {"Hex:31", "Dec:31", "ASCII:31"},
        {" 31", " 49", "1"});
    row("mode switch/pending character cut off by hexadecimal",
        {"ASCII:41E4B8", "Hex:AD", "ASCII:AD"}, {"A", "� AD", "�"});
    row("clear/drops the pending bytes", {"ASCII:E4B8", "clear", "ASCII:AD5A"}, {"", "", "�Z"});
}

void tst_ReceivedText::render()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, texts);

    const QMap<QString, ReceiveMode> modes = {{"ASCII", ReceiveMode::Ascii},
                                              {"Hex", ReceiveMode::Hexadecimal},
                                              {"Dec", ReceiveMode::Decimal}};
    ReceiveDecoderState state;
    for (int i = 0; i < steps.size(); ++i) {
        if (steps[i] == "clear") {
            state.reset();
            continue;
        }
        const QByteArray bytes = QByteArray::fromHex(steps[i].section(':', 1).toLatin1());
        QCOMPARE(renderReceivedChunk(bytes, modes.value(steps[i].section(':', 0, 0)), state),
                 texts[i]);
    }
}

QTEST_APPLESS_MAIN(tst_ReceivedText)
#include "tst_receivedtext.moc"
