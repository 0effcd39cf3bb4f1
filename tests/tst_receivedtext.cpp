#include "receive/receivedtext.h"

#include <QtTest>

namespace {

// One step fed to the renderer: a chunk in a mode, or the reset that Clear performs.
struct Step
{
    ReceiveMode mode;
    QByteArray chunk;
    bool reset = false;
};

Step ascii(const QByteArray &chunk)
{
    return {ReceiveMode::Ascii, chunk};
}

Step hex(const QByteArray &chunk)
{
    return {ReceiveMode::Hexadecimal, chunk};
}

Step decimal(const QByteArray &chunk)
{
    return {ReceiveMode::Decimal, chunk};
}

Step clearing()
{
    return {ReceiveMode::Ascii, {}, true};
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int value : values)
        out += static_cast<char>(value);
    return out;
}

const QString R(QChar(0xFFFD));
const QString NUL(QChar(0x2400));

} // namespace

Q_DECLARE_METATYPE(QVector<Step>)

class TestReceivedText : public QObject
{
    Q_OBJECT

private slots:
    void render_data();
    void render();
};

void TestReceivedText::render_data()
{
    QTest::addColumn<QVector<Step>>("steps");
    // The text each step appends; a reset appends nothing.
    QTest::addColumn<QStringList>("expected");

    const QByteArray okLine = bytes({0x4F, 0x4B, 0x0D, 0x0A});
    QTest::newRow("ascii/OK CR LF") << QVector<Step>{ascii(okLine)} << QStringList{"OK\r\n"};
    QTest::newRow("hex/OK CR LF") << QVector<Step>{hex(okLine)} << QStringList{" 4F 4B 0D 0A"};
    QTest::newRow("decimal/OK CR LF")
        << QVector<Step>{decimal(okLine)} << QStringList{" 79 75 13 10"};
    QTest::newRow("hex/single 0x05") << QVector<Step>{hex(bytes({0x05}))} << QStringList{" 05"};
    QTest::newRow("hex/single 0xAB") << QVector<Step>{hex(bytes({0xAB}))} << QStringList{" AB"};
    QTest::newRow("hex/zero, 0x0F, 0x10, 0xFF")
        << QVector<Step>{hex(bytes({0x00, 0x0F, 0x10, 0xFF}))} << QStringList{" 00 0F 10 FF"};
    QTest::newRow("decimal/one, two and three digits")
        << QVector<Step>{decimal(bytes({0, 9, 10, 99, 100, 255}))}
        << QStringList{" 0 9 10 99 100 255"};
    QTest::newRow("decimal/single 0x05")
        << QVector<Step>{decimal(bytes({0x05}))} << QStringList{" 5"};

    QTest::newRow("ascii/zero bytes shown, nothing cut")
        << QVector<Step>{ascii(bytes({'I', 'D', 0, '1', '2', 0, 0, 'E', 'N', 'D', 0}))}
        << QStringList{"ID" + NUL + "12" + NUL + NUL + "END" + NUL};
    QTest::newRow("ascii/zero byte alone") << QVector<Step>{ascii(bytes({0}))} << QStringList{NUL};
    QTest::newRow("hex/zero bytes are ordinary bytes")
        << QVector<Step>{hex(bytes({'A', 0, 'B'}))} << QStringList{" 41 00 42"};

    QTest::newRow("ascii/two, three and four byte characters")
        << QVector<Step>{ascii(QByteArray("caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80"))}
        << QStringList{QString::fromUtf8("caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80")};
    QTest::newRow("ascii/stray continuation and bytes never used")
        << QVector<Step>{ascii(bytes({'a', 0x80, 'b', 0xFF, 'c', 0xC0, 0xAF, 'd', 0xF8}))}
        << QStringList{"a" + R + "b" + R + "c" + R + R + "d" + R};
    QTest::newRow("ascii/sequence broken off by a letter")
        << QVector<Step>{ascii(bytes({0xE4, 0xB8, 'A', 0xF0, 0x9F, 0x98}))} << QStringList{R + "A"};
    QTest::newRow("ascii/encoded surrogate refused")
        << QVector<Step>{ascii(bytes({0xED, 0xA0, 0x80, 'x'}))} << QStringList{R + R + R + "x"};
    QTest::newRow("ascii/overlong three byte form refused")
        << QVector<Step>{ascii(bytes({0xE0, 0x80, 0xAF}))} << QStringList{R + R + R};
    QTest::newRow("ascii/above U+10FFFF refused")
        << QVector<Step>{ascii(bytes({0xF4, 0x90, 0x80, 0x80}))} << QStringList{R + R + R + R};
    QTest::newRow("ascii/highest code point accepted")
        << QVector<Step>{ascii(bytes({0xF4, 0x8F, 0xBF, 0xBF}))}
        << QStringList{QString::fromUcs4(U"\U0010FFFF")};

    QTest::newRow("ascii/three byte character split across two reads")
        << QVector<Step>{ascii(bytes({'<', 0xE4, 0xB8})), ascii(bytes({0xAD, '>'}))}
        << QStringList{"<", QString::fromUtf8("\xE4\xB8\xAD>")};
    QTest::newRow("ascii/four byte character split across three reads")
        << QVector<Step>{ascii(bytes({0xF0})), ascii(bytes({0x9F, 0x98})), ascii(bytes({0x80}))}
        << QStringList{"", "", QString::fromUtf8("\xF0\x9F\x98\x80")};
    QTest::newRow("ascii/empty read keeps the pending bytes")
        << QVector<Step>{ascii(bytes({0xC3})), ascii({}), ascii(bytes({0xA9}))}
        << QStringList{"", "", QString::fromUtf8("\xC3\xA9")};
    QTest::newRow("ascii/split sequence broken off in the next read")
        << QVector<Step>{ascii(bytes({0xE4, 0xB8})), ascii(bytes({'A'}))}
        << QStringList{"", R + "A"};

    QTest::newRow("ascii/markup stays literal")
        << QVector<Step>{ascii("<b>x</b>"), ascii("<html><body>&amp;</body></html>")}
        << QStringList{"<b>x</b>", "<html><body>&amp;</body></html>"};

    QTest::newRow("mode switch/ascii then hexadecimal")
        << QVector<Step>{ascii("OK"), hex("OK")} << QStringList{"OK", " 4F 4B"};
    QTest::newRow("mode switch/hexadecimal, decimal, ascii")
        << QVector<Step>{hex(bytes({0x31})), decimal(bytes({0x31})), ascii(bytes({0x31}))}
        << QStringList{" 31", " 49", "1"};
    QTest::newRow("mode switch/pending character cut off by hexadecimal")
        << QVector<Step>{ascii(bytes({'A', 0xE4, 0xB8})), hex(bytes({0xAD})), ascii(bytes({0xAD}))}
        << QStringList{"A", R + " AD", R};

    QTest::newRow("clear/drops the pending bytes")
        << QVector<Step>{ascii(bytes({0xE4, 0xB8})), clearing(), ascii(bytes({0xAD, 'Z'}))}
        << QStringList{"", "", R + "Z"};
    QTest::newRow("clear/then hexadecimal starts with its space")
        << QVector<Step>{hex(bytes({0x01})), clearing(), hex(bytes({0x02}))}
        << QStringList{" 01", "", " 02"};
}

void TestReceivedText::render()
{
    QFETCH(QVector<Step>, steps);
    QFETCH(QStringList, expected);
    QCOMPARE(steps.size(), expected.size());

    ReceiveDecoderState state;
    for (int i = 0; i < steps.size(); ++i) {
        if (steps[i].reset) {
            state.reset();
            continue;
        }
        QCOMPARE(renderReceivedChunk(steps[i].chunk, steps[i].mode, state), expected[i]);
    }
}

QTEST_APPLESS_MAIN(TestReceivedText)
#include "tst_receivedtext.moc"
