#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "connection/links.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "pseudoterminal.h"
#include "receive/receivedview.h"
#include "recordingserver.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QSpinBox>
#include <QtTest>

namespace {

void activate(MainWindow &window, int model)
{
    auto *players = window.findChild<QComboBox *>("comboBox_Player");
    players->setCurrentIndex(model);
    emit players->activated(model);
}

void connectSerial(MainWindow &window, const PseudoTerminal &device)
{
    activate(window, 0);
    auto *ports = window.findChild<QComboBox *>("comboBox_Port");
    ports->addItem(device.slaveName());
    ports->setCurrentIndex(ports->count() - 1);
    window.findChild<QPushButton *>("pushButton_Connect")->click();
}

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

void tst_Receive::rendering_data()
{
    // Each step: "MODE:HEX BYTES" received in that mode as one read, or "clear".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("shown");

    QTest::newRow("ascii/OK CR LF") << QStringList{"ASCII:4F4B0D0A"} << "OK\r\n";
    QTest::newRow("hexadecimal/OK CR LF") << QStringList{"Hex:4F4B0D0A"} << " 4F 4B 0D 0A";
    QTest::newRow("decimal/OK CR LF") << QStringList{"Dec:4F4B0D0A"} << " 79 75 13 10";
    QTest::newRow("hexadecimal/05 and AB") << QStringList{"Hex:05", "Hex:AB"} << " 05 AB";
    QTest::newRow("decimal/0 and 255") << QStringList{"Dec:00FF"} << " 0 255";
    QTest::newRow("ascii/zero bytes shown, nothing after them lost")
        << QStringList{"ASCII:4F004B00"} << QString::fromUtf8("O\u2400K\u2400");
    QTest::newRow("ascii/invalid utf-8")
        << QStringList{"ASCII:41FF42"} << QString::fromUtf8("A\uFFFDB");
    QTest::newRow("ascii/character split across reads")
        << QStringList{"ASCII:43C3", "ASCII:A9"} << QString::fromUtf8("C\u00E9");
    QTest::newRow("ascii/text that looks like markup")
        << QStringList{"ASCII:" + QByteArray("<b>x</b><html>&amp;").toHex()}
        << "<b>x</b><html>&amp;";
    QTest::newRow("switching ascii to hexadecimal between chunks")
        << QStringList{"ASCII:4F4B", "Hex:05"} << "OK 05";
    QTest::newRow("switching hexadecimal to decimal between chunks")
        << QStringList{"Hex:0A", "Dec:0A"} << " 0A 10";
    QTest::newRow("clear, then new data") << QStringList{"Hex:0102", "clear", "Hex:31"} << " 31";
    QTest::newRow("clear drops a half character")
        << QStringList{"ASCII:C3", "clear", "ASCII:A9"} << QString::fromUtf8("\uFFFD");
}

void tst_Receive::rendering()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, shown);

    PseudoTerminal device;
    MainWindow window;
    connectSerial(window, device);
    QVERIFY(serialPort->isOpen());

    for (const QString &step : qAsConst(steps)) {
        if (step == "clear") {
            window.findChild<QPushButton *>("pushButton_Clear")->click();
            continue;
        }
        window.findChild<QRadioButton *>("radioButton_Data_" + step.section(':', 0, 0))->click();
        QVERIFY(device.write(QByteArray::fromHex(step.section(':', 1).toLatin1())));
        // One read per step: wait until the port has taken everything.
        QVERIFY(QTest::qWaitFor([] { return serialPort->bytesAvailable() == 0; }, 1000));
        QTest::qWait(30);
    }
    QTRY_COMPARE(received(window), shown);
}

void tst_Receive::keepsAccumulatingAcrossLinks()
{
    PseudoTerminal serialDevice;
    RecordingServer networkDevice;
    ModalBoxCatcher boxes;
    MainWindow window;
    connectSerial(window, serialDevice);
    serialDevice.write("serial ");
    QTRY_COMPARE(received(window), QString("serial "));
    window.findChild<QPushButton *>("pushButton_Disconnect")->click();

    const int showcasterNetwork = 3;
    PlayerCatalogue[showcasterNetwork].tcpPort = networkDevice.serverPort();
    activate(window, showcasterNetwork);
    window.findChild<QSpinBox *>("spinBox_IP_1")->setValue(127);
    window.findChild<QSpinBox *>("spinBox_IP_4")->setValue(1);
    window.findChild<QPushButton *>("pushButton_Connect")->click();
    QTRY_VERIFY(networkDevice.peer());
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);
    networkDevice.peer()->write("network");
    QTRY_COMPARE(received(window), QString("serial network"));
    QCOMPARE(boxes.count(), 0);
}

void tst_Receive::newConnectionForgetsAHalfCharacter()
{
    PseudoTerminal device;
    MainWindow window;
    connectSerial(window, device);
    device.write("\xC3");
    QVERIFY(QTest::qWaitFor([] { return serialPort->bytesAvailable() == 0; }, 1000));
    QTest::qWait(30);
    window.findChild<QPushButton *>("pushButton_Disconnect")->click();
    window.findChild<QPushButton *>("pushButton_Connect")->click();
    QVERIFY(serialPort->isOpen());
    device.write("\xA9!");
    QTRY_COMPARE(received(window), QString::fromUtf8("\uFFFD!"));
}

QTEST_MAIN(tst_Receive)
#include "tst_receive.moc"
