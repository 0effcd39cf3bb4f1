#include "app/mainwindow.h"
#include "connection/serialports.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A link standing for an adapter's stable name: made again over the old one, as the system
// does when the adapter comes back.
bool pointLink(const QString &link, const QString &device)
{
    const QString made = link + ".new";
    return QFile::link(device, made) && std::rename(qPrintable(made), qPrintable(link)) == 0;
}

QString tooltipOf(const QComboBox *list, const QString &entry)
{
    return list->itemData(list->findText(entry), Qt::ToolTipRole).toString();
}
} // namespace

class tst_SerialLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    // The window watches a directory of the test's for devices and their stable names.
    void init()
    {
        m_devices = std::make_unique<QTemporaryDir>();
        serialDirectories = {m_devices->path(), m_devices->path()};
    }
    void cleanup() { serialPort->close(); }
    void connectOpensAtSelectedRateAndFreezes_data();
    void connectOpensAtSelectedRateAndFreezes();
    void unopenablePortIsReported_data();
    void unopenablePortIsReported();
    void rateOutsideAcceptedSetOpensNothing();
    void deviceGoingAwayEndsTheLink();
    void writeFailureIsReportedOnce();
    void devicesComingAndGoingAreListed_data();
    void devicesComingAndGoingAreListed();
    void lostDeviceIsWaitedFor_data();
    void lostDeviceIsWaitedFor();

private:
    static void choose(MainWindow &window, int model, const QString &port, const QString &rate);
    static void verifyLinkState(MainWindow &window, bool open);
    static void verifyWaiting(MainWindow &window);

    std::unique_ptr<QTemporaryDir> m_devices;
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

void tst_SerialLink::verifyWaiting(MainWindow &window)
{
    QVERIFY(!serialPort->isOpen());
    for (const char *frozen : {"frame_Player", "frame_Settings", "frame_Port", "frame_Baudrate",
                               "pushButton_Connect", "frame_Playback_Command"})
        QVERIFY2(!window.findChild<QWidget *>(frozen)->isEnabled(), frozen);
    QVERIFY(window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled());
    QCOMPARE(window.statusBar()->currentMessage(),
             QString("The link to the player was lost: waiting for it to come back (Disconnect "
                     "stops waiting)."));
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
    QTest::newRow("nothing typed") << false << "Device not found error.";
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
    QString port = portInUse ? device.slaveName() : QStringLiteral("/dev/zoxen-no-such-port");
    if (QByteArray(QTest::currentDataTag()) == "nothing typed")
        port.clear();

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

// Without any action of the user; the port in the field stays listed. A device is listed in
// about 0.4 s (bench_ports); the wait leaves room for a loaded machine.
void tst_SerialLink::devicesComingAndGoingAreListed_data()
{
    QTest::addColumn<bool>("typed");

    QTest::newRow("listed, then unlisted") << false;
    QTest::newRow("typed: stays") << true;
}

void tst_SerialLink::devicesComingAndGoingAreListed()
{
    QFETCH(bool, typed);

    PseudoTerminal device;
    ModalBoxCatcher boxes;
    MainWindow window;
    chooseModel(window, 0);
    auto *ports = window.findChild<QComboBox *>("comboBox_Port");
    QVERIFY(window.findChild<QWidget *>("frame_Port")->isEnabled());
    const QString link = m_devices->filePath("usb-Zoxen_Adapter");

    QVERIFY(QFile::link(device.slaveName(), link));
    QTRY_VERIFY_WITH_TIMEOUT(entries(ports).contains(link), 3000);
    QCOMPARE(tooltipOf(ports, link), "Stable name of " + device.slaveName());
    if (typed)
        choosePort(window, link);

    QVERIFY(QFile::remove(link));
    QTRY_VERIFY_WITH_TIMEOUT(tooltipOf(ports, link).isEmpty(), 3000);
    QCOMPARE(entries(ports).contains(link), typed);
    QCOMPARE(ports->currentText() == link, typed);
}

// With Auto-connection, a device that goes away is waited for without a box, and the link comes
// back when it does (here a new pseudo-terminal behind the same stable name), unless Disconnect
// was pressed meanwhile.
void tst_SerialLink::lostDeviceIsWaitedFor_data()
{
    QTest::addColumn<bool>("disconnect");

    QTest::newRow("device back: link back") << false;
    QTest::newRow("Disconnect: waiting stops") << true;
}

void tst_SerialLink::lostDeviceIsWaitedFor()
{
    QFETCH(bool, disconnect);

    auto first = std::make_unique<PseudoTerminal>();
    const QString link = m_devices->filePath("usb-Zoxen_Adapter");
    QVERIFY(QFile::link(first->slaveName(), link));
    ModalBoxCatcher boxes;
    MainWindow window;
    window.findChild<QCheckBox *>("checkBox_Auto_connection")->setChecked(true);
    choose(window, 0, link, "19200");
    clickButton(window, "pushButton_Connect");
    QVERIFY(serialPort->isOpen());

    first->closeMaster();
    QTRY_VERIFY(!serialPort->isOpen());
    verifyWaiting(window);
    QVERIFY(QMetaObject::invokeMethod(&window, "Play_Folder_003"));
    QCOMPARE(window.findChild<QLabel *>("label_Sent_State")->text(), QString("Not sent"));
    if (disconnect) {
        clickButton(window, "pushButton_Disconnect");
        verifyLinkState(window, false);
        QVERIFY(window.statusBar()->currentMessage().isEmpty());
    }

    PseudoTerminal second;
    QVERIFY(pointLink(link, second.slaveName()));
    auto *ports = window.findChild<QComboBox *>("comboBox_Port");
    QTRY_COMPARE(tooltipOf(ports, link), "Stable name of " + second.slaveName());
    QTRY_COMPARE(serialPort->isOpen(), !disconnect);
    verifyLinkState(window, !disconnect);
    QCOMPARE(boxes.count(), 0);
    if (disconnect)
        return;
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
    clickButton(window, "pushButton_Play");
    QCOMPARE(second.read(3).size(), 3);
    QVERIFY(second.write("PLAYING\r\n"));
    QTRY_VERIFY(window.findChild<ReceivedDataView *>("textEdit_Data")->text().contains("PLAYING"));
}

QTEST_MAIN(tst_SerialLink)
#include "tst_seriallink.moc"
