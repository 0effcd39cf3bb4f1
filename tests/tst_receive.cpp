#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "windowdriver.h"

#include <QRadioButton>

namespace {

QString received(MainWindow &window)
{
    return window.findChild<ReceivedDataView *>("textEdit_Data")->text();
}

void chooseMode(MainWindow &window, const char *mode)
{
    window.findChild<QRadioButton *>(QStringLiteral("radioButton_Data_") + mode)->click();
}

} // namespace

// How the window renders is tst_receivedtext's; here, that each read reaches it in the chosen
// mode, and what Clear and the links do to what it holds.
class tst_Receive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    void cleanup()
    {
        serialPort->close();
        tcpSocket->abort();
    }
    void modesAndClear();
    void resetForgetsAHalfCharacter_data();
    void resetForgetsAHalfCharacter();
    void keepsAccumulatingAcrossLinks();
};

void tst_Receive::modesAndClear()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    LinkedDevice device(window, 0);
    QVERIFY(device.linked());

    // Each read is shown before the next mode is chosen.
    chooseMode(window, "Hex");
    QVERIFY(device.terminal().write("OK"));
    QTRY_COMPARE(received(window), QString(" 4F 4B"));
    chooseMode(window, "Dec");
    QVERIFY(device.terminal().write("\r\xFF"));
    QTRY_COMPARE(received(window), QString(" 4F 4B 13 255"));
    chooseMode(window, "ASCII");
    QVERIFY(device.terminal().write(QByteArray("a\0b", 3)));
    QTRY_COMPARE(received(window), QString::fromUtf8(" 4F 4B 13 255a\0b", 16));
    clickButton(window, QStringLiteral("pushButton_Clear"));
    QCOMPARE(received(window), QString());
    QVERIFY(device.terminal().write("Z"));
    QTRY_COMPARE(received(window), QString("Z"));
    QCOMPARE(boxes.count(), 0);
}

void tst_Receive::resetForgetsAHalfCharacter_data()
{
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("shown");

    QTest::newRow("Clear") << QStringList{"pushButton_Clear"} << QString::fromUtf8("�!");
    QTest::newRow("new connection")
        << QStringList{"pushButton_Disconnect", "pushButton_Connect"} << QString::fromUtf8("a�!");
}

void tst_Receive::resetForgetsAHalfCharacter()
{
    QFETCH(QStringList, buttons);
    QFETCH(QString, shown);

    ModalBoxCatcher boxes;
    MainWindow window;
    LinkedDevice device(window, 0);
    // One write, one read: once "a" shows, the first byte of "é" waits for the rest.
    QVERIFY(device.terminal().write("a\xC3"));
    QTRY_COMPARE(received(window), QString("a"));
    for (const QString &button : qAsConst(buttons))
        clickButton(window, button);
    QVERIFY(device.linked());
    QVERIFY(device.terminal().write("\xA9!"));
    QTRY_COMPARE(received(window), shown);
    QCOMPARE(boxes.count(), 0);
}

void tst_Receive::keepsAccumulatingAcrossLinks()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    {
        LinkedDevice serialDevice(window, 0);
        serialDevice.terminal().write("serial ");
        QTRY_COMPARE(received(window), QString("serial "));
        clickButton(window, QStringLiteral("pushButton_Disconnect"));
    }
    LinkedDevice networkDevice(window, modelIndex("Showcaster - SC900 (TCP/IP)"));
    QTRY_VERIFY(networkDevice.server().peer());
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);
    networkDevice.server().peer()->write("network");
    QTRY_COMPARE(received(window), QString("serial network"));
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(tst_Receive)
#include "tst_receive.moc"
