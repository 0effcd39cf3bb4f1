#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "renderingtable.h"
#include "windowdriver.h"

#include <QRadioButton>

namespace {

QString received(MainWindow &window)
{
    return window.findChild<ReceivedDataView *>("textEdit_Data")->text();
}

} // namespace

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
    void rendering_data();
    void rendering();
    void keepsAccumulatingAcrossLinks();
    void newConnectionForgetsAHalfCharacter();
};

// The table of tst_receivedtext, each step one read of the window's serial port.
void tst_Receive::rendering_data()
{
    addRenderingRows();
}

void tst_Receive::rendering()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    // What the area shows at the end: what the steps added since the last Clear.
    const QString shown = QStringList(expected.mid(steps.lastIndexOf("clear") + 1)).join(QString());

    MainWindow window;
    LinkedDevice device(window, 0);
    QVERIFY(serialPort->isOpen());

    for (const QString &step : qAsConst(steps)) {
        if (step == "clear") {
            clickButton(window, QStringLiteral("pushButton_Clear"));
            continue;
        }
        auto *mode =
            window.findChild<QRadioButton *>("radioButton_Data_" + step.section(':', 0, 0));
        QVERIFY2(mode, qPrintable(step));
        mode->click();
        const QString data = step.section(':', 1);
        QVERIFY(device.terminal().write(data.startsWith('\'')
                                            ? data.mid(1, data.size() - 2).toUtf8()
                                            : QByteArray::fromHex(data.toLatin1())));
        // One read per step: wait until the port has taken everything.
        QVERIFY(QTest::qWaitFor([] { return serialPort->bytesAvailable() == 0; }, 1000));
        QTest::qWait(30);
    }
    QTRY_COMPARE(received(window), shown);
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

void tst_Receive::newConnectionForgetsAHalfCharacter()
{
    MainWindow window;
    LinkedDevice device(window, 0);
    device.terminal().write("\xC3");
    QVERIFY(QTest::qWaitFor([] { return serialPort->bytesAvailable() == 0; }, 1000));
    QTest::qWait(30);
    clickButton(window, QStringLiteral("pushButton_Disconnect"));
    clickButton(window, QStringLiteral("pushButton_Connect"));
    QVERIFY(serialPort->isOpen());
    device.terminal().write("\xA9!");
    QTRY_COMPARE(received(window), QString::fromUtf8("\uFFFD!"));
}

QTEST_MAIN(tst_Receive)
#include "tst_receive.moc"
