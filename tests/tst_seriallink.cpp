#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "windowdriver.h"

#include <QLabel>

namespace {
// Enough passes of the event loop for a failure that repeats itself to show again.
void spinEventLoop()
{
    for (int pass = 0; pass < 200; ++pass)
        QCoreApplication::processEvents();
}
} // namespace

class tst_SerialLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    void cleanup() { serialPort->close(); }
    void connectOpensAtSelectedRateAndFreezes_data();
    void connectOpensAtSelectedRateAndFreezes();
    void unopenablePortIsReported_data();
    void unopenablePortIsReported();
    void rateOutsideAcceptedSetOpensNothing();
    void deviceGoingAwayEndsTheLink();
    void writeFailureIsReportedOnce();

private:
    static void choose(MainWindow &window, int model, const QString &port, const QString &rate);
    static void verifyLinkState(MainWindow &window, bool open);
};

void tst_SerialLink::choose(MainWindow &window, int model, const QString &port, const QString &rate)
{
    chooseModel(window, model);
    choosePort(window, port);
    if (!rate.isEmpty())
        window.findChild<QComboBox *>("comboBox_Baudrate")->setCurrentText(rate);
}

void tst_SerialLink::verifyLinkState(MainWindow &window, bool open)
{
    QCOMPARE(serialPort->isOpen(), open);
    QCOMPARE(window.findChild<QWidget *>("frame_Player")->isEnabled(), !open);
    QCOMPARE(window.findChild<QWidget *>("frame_Settings")->isEnabled(), !open);
    QCOMPARE(window.findChild<QWidget *>("frame_Port")->isEnabled(), !open);
    QCOMPARE(window.findChild<QWidget *>("frame_Baudrate")->isEnabled(), !open);
    QCOMPARE(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled(), !open);
    QCOMPARE(window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled(), open);
    QCOMPARE(window.findChild<QWidget *>("frame_Playback_Command")->isEnabled(), open);
}

void tst_SerialLink::connectOpensAtSelectedRateAndFreezes_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("rate");

    QTest::newRow("Timetune/default 19200") << 0 << "";
    QTest::newRow("Tunebox (Serial)/115200") << 6 << "115200";
}

void tst_SerialLink::connectOpensAtSelectedRateAndFreezes()
{
    QFETCH(int, model);
    QFETCH(QString, rate);

    PseudoTerminal device;
    QVERIFY(device.isValid());
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, model, device.slaveName(), rate);
    const int expectedRate =
        window.findChild<QComboBox *>("comboBox_Baudrate")->currentText().toInt();

    clickButton(window, "pushButton_Connect");
    verifyLinkState(window, true);
    QCOMPARE("/dev/" + serialPort->portName(), device.slaveName());
    const PseudoTerminal::LineSettings line = device.lineSettings();
    QCOMPARE(line.baudRate, expectedRate);
    QCOMPARE(line.dataBits, 8);
    QVERIFY(!line.parity);
    QVERIFY(!line.twoStopBits);
    QVERIFY(!line.hardwareFlowControl);
    QVERIFY(!line.softwareFlowControl);

    clickButton(window, "pushButton_Disconnect");
    verifyLinkState(window, false);
    QCOMPARE(boxes.count(), 0);
}

void tst_SerialLink::unopenablePortIsReported_data()
{
    QTest::addColumn<bool>("portInUse");
    QTest::addColumn<QString>("reason");

    QTest::newRow("no such device") << false << "Device not found error.";
    QTest::newRow("held by another program") << true << "Permission error.";
}

void tst_SerialLink::unopenablePortIsReported()
{
    QFETCH(bool, portInUse);
    QFETCH(QString, reason);

    PseudoTerminal device;
    QSerialPort otherProgram(device.slaveName());
    if (portInUse)
        QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    const QString port = portInUse ? device.slaveName() : QStringLiteral("/dev/zoxen-no-such-port");

    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, 0, port, "19200");
    clickButton(window, "pushButton_Connect");

    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.title(), QString("Serial port error"));
    QCOMPARE(boxes.icon(), QMessageBox::Critical);
    QCOMPARE(boxes.text(), "An error on the serial port has occurred!\n" + reason);
    verifyLinkState(window, false);
}

void tst_SerialLink::rateOutsideAcceptedSetOpensNothing()
{
    PseudoTerminal device;
    ModalBoxCatcher boxes;
    MainWindow window;
    PlayerCatalogue[0].baudRates = {14400};
    PlayerCatalogue[0].defaultBaudRate = 14400;
    choose(window, 0, device.slaveName(), "14400");

    clickButton(window, "pushButton_Connect");
    QCOMPARE(boxes.count(), 0);
    verifyLinkState(window, false);
}

void tst_SerialLink::deviceGoingAwayEndsTheLink()
{
    PseudoTerminal device;
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, 0, device.slaveName(), "19200");
    clickButton(window, "pushButton_Connect");
    QVERIFY(serialPort->isOpen());

    device.closeMaster();
    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(boxes.title(), QString("Serial port error"));
    QVERIFY2(boxes.text().startsWith("An error on the serial port has occurred!\n"),
             qPrintable(boxes.text()));
    verifyLinkState(window, false);
    // Reported once: the closed port raises nothing more.
    spinEventLoop();
    QCOMPARE(boxes.count(), 1);
}

// A frame written as the device goes: the failing line is told once, the frame is not sent.
void tst_SerialLink::writeFailureIsReportedOnce()
{
    PseudoTerminal device;
    ModalBoxCatcher boxes;
    MainWindow window;
    choose(window, 0, device.slaveName(), "19200");
    clickButton(window, "pushButton_Connect");
    QVERIFY(serialPort->isOpen());

    device.closeMaster();
    clickButton(window, "pushButton_Play");
    QTRY_COMPARE(boxes.count(), 1);
    spinEventLoop();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.title(), QString("Serial port error"));
    auto *state = window.findChild<QLabel *>("label_Sent_State");
    QVERIFY(!state->isHidden());
    QCOMPARE(state->text(), QString("Not sent"));
    verifyLinkState(window, false);
}

QTEST_MAIN(tst_SerialLink)
#include "tst_seriallink.moc"
