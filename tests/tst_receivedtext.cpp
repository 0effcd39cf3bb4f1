#include "receive/receivedtext.h"
#include "renderingtable.h"

#include <QtTest>

class TestReceivedText : public QObject
{
    Q_OBJECT

private slots:
    void render_data();
    void render();
};

// The same table drives tst_receive, through the window and a real serial link.
void TestReceivedText::render_data()
{
    addRenderingRows();
}

void TestReceivedText::render()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);

    const QMap<QString, ReceiveMode> modes = {{"ASCII", ReceiveMode::Ascii},
                                              {"Hex", ReceiveMode::Hexadecimal},
                                              {"Dec", ReceiveMode::Decimal}};
    ReceiveDecoderState state;
    for (int i = 0; i < steps.size(); ++i) {
        if (steps[i] == "clear") {
            state.reset();
            QCOMPARE(expected[i], QString());
            continue;
        }
        const QString mode = steps[i].section(':', 0, 0);
        const QString data = steps[i].section(':', 1);
        QVERIFY2(modes.contains(mode), qPrintable(steps[i]));
        const QByteArray bytes = data.startsWith('\'') ? data.mid(1, data.size() - 2).toUtf8()
                                                       : QByteArray::fromHex(data.toLatin1());
        QCOMPARE(renderReceivedChunk(bytes, modes.value(mode), state), expected[i]);
    }
}

QTEST_APPLESS_MAIN(TestReceivedText)
#include "tst_receivedtext.moc"
