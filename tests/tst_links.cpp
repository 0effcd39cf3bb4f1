#include "app/mainwindow.h"
#include "connection/linksettings.h"
#include "connection/serialports.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "stalledlistener.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>

#include <cstdio>

namespace {
const int timetune = 0;
const int showcasterNetwork = 3;
const int tuneboxNetwork = 7;
const QString closed = "connect settings";
const QString open = "disconnect playback";

// A loopback port where nothing listens: connecting there is refused at once.
quint16 refusingPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// The controls usable, then what is said of the last frame and in the status bar, if anything.
QString state(QWidget &window)
{
    QStringList parts;
    for (const char *name : {"pushButton_Connect", "pushButton_Disconnect", "frame_Settings",
                             "frame_Playback_Command"})
        if (window.findChild<QWidget *>(name)->isEnabled())
            parts << QString(name).section('_', 1, 1).toLower();
    auto *sent = window.findChild<QLabel *>("label_Sent_State");
    for (const QString &said : {sent->isHidden() ? QString() : sent->text(),
                                window.findChild<QStatusBar *>()->currentMessage()})
        if (!said.isEmpty())
            parts << "/ " + said;
    return parts.join(' ');
}

QString tooltipOf(const QComboBox *list, const QString &entry)
{
    return list->itemData(list->findText(entry), Qt::ToolTipRole).toString();
}
} // namespace

class tst_Links : public QObject
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
    void cleanup()
    {
        serialPort->close();
        tcpSocket->abort();
    }
    void serialOpensTypedPath8N1();
    void linkFails_data();
    void linkFails();
    void linkEnds_data();
    void linkEnds();
    void devicesAreListed();
    void lostLinkComesBack_data();
    void lostLinkComesBack();

private:
    std::unique_ptr<QTemporaryDir> m_devices;
};

void tst_Links::serialOpensTypedPath8N1()
{
    PseudoTerminal device;
    ModalBoxCatcher boxes;
    MainWindow window;
    chooseModel(window, timetune);
    choosePort(window, device.slaveName());
    clickButton(window, "pushButton_Connect");
    QCOMPARE(state(window), open);
    QCOMPARE("/dev/" + serialPort->portName(), device.slaveName());
    const PseudoTerminal::LineSettings line = device.lineSettings();
    QCOMPARE(QList<int>({line.baudRate, line.dataBits, line.parity, line.twoStopBits,
                         line.hardwareFlowControl, line.softwareFlowControl}),
             QList<int>({19200, 8, 0, 0, 0, 0}));
    clickButton(window, "pushButton_Disconnect");
    QCOMPARE(state(window), closed);
    QCOMPARE(boxes.count(), 0);
}

// Steps: a button, "slot:NAME", "close" (the stalled listener turns refusing) or "box N" (the
// count of boxes shown so far, and no more after the event loop has run).
void tst_Links::linkFails_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("after");

    const QString serial = "An error on the serial port has occurred!\n";
    const QString tcp = "An TCP/IP error has occurred!\n";
    const QStringList connect = {"pushButton_Connect", "box 1"};
    QTest::newRow("serial/no such device") << timetune << "/dev/zoxen-no-such-port" << connect
                                           << serial + "Device not found error." << closed;
    QTest::newRow("serial/held by another program")
        << timetune << "held" << connect << serial + "Permission error." << closed;
    QTest::newRow("tcp/refused") << showcasterNetwork << "refused" << connect
                                 << tcp + "Connection refused" << closed;
    QTest::newRow("tcp/no handshake: times out")
        << showcasterNetwork << "stalled" << connect
        << tcp + "The player did not answer within 5 seconds." << closed;
    QTest::newRow("tcp/keys while connecting, then refused")
        << showcasterNetwork << "stalled"
        << QStringList{"pushButton_Connect", "slot:Play_Folder_003", "slot:Increase_Volume",
                       "close", "box 1"}
        << tcp + "Connection refused" << closed + " / Not sent";
    QTest::newRow("tcp/Disconnect while connecting cancels")
        << showcasterNetwork << "stalled"
        << QStringList{"pushButton_Connect", "slot:Play_Folder_003", "pushButton_Disconnect",
                       "close", "box 0"}
        << "" << closed + " / Not sent";
    QTest::newRow("on-demand/refused: once per command")
        << tuneboxNetwork << "refused"
        << QStringList{"pushButton_Play", "box 1", "pushButton_Play", "box 2"}
        << tcp + "Connection refused"
        << "settings playback / Not sent";
}

void tst_Links::linkFails()
{
    QFETCH(int, model);
    QFETCH(QString, target);
    QFETCH(QStringList, steps);
    QFETCH(QString, box);
    QFETCH(QString, after);

    PseudoTerminal device;
    QSerialPort otherProgram(device.slaveName());
    StalledListener stalled;
    ModalBoxCatcher boxes;
    MainWindow window;
    if (PlayerCatalogue.at(model).isTcp())
        pointAtLoopback(window, model, target == "refused" ? refusingPort() : stalled.port());
    chooseModel(window, model);
    if (target == "held")
        QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    if (!PlayerCatalogue.at(model).isTcp())
        choosePort(window, target == "held" ? device.slaveName() : target);
    for (const QString &step : qAsConst(steps)) {
        if (step.startsWith("box ")) {
            const int count = step.mid(4).toInt();
            QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), count, connectTimeoutMs + 5000);
            spinEventLoop();
            QCOMPARE(boxes.count(), count);
        } else if (step.startsWith("slot:")) {
            QVERIFY(QMetaObject::invokeMethod(&window, qPrintable(step.mid(5))));
        } else if (step == "close") {
            stalled.close();
        } else {
            clickButton(window, step);
        }
    }
    QCOMPARE(boxes.text(), box);
    QCOMPARE(state(window), after);
}

void tst_Links::linkEnds_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("play");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("after");

    QTest::newRow("serial/device gone")
        << timetune << false << "An error on the serial port has occurred!\n"
        << closed;
    QTest::newRow("serial/write failing")
        << timetune << true << "An error on the serial port has occurred!\n"
        << closed + " / Not sent";
    QTest::newRow("tcp/device closes")
        << showcasterNetwork << false << "An TCP/IP error has occurred!\n"
        << closed;
    QTest::newRow("on-demand/device closes: normal end") << tuneboxNetwork << false << ""
                                                         << "settings playback";
}

// Told once at most, however often the closed link fails again.
void tst_Links::linkEnds()
{
    QFETCH(int, model);
    QFETCH(bool, play);
    QFETCH(QString, box);
    QFETCH(QString, after);

    ModalBoxCatcher boxes;
    MainWindow window;
    LinkedDevice device(window, model);
    const bool tcp = PlayerCatalogue.at(model).isTcp();
    // The on-demand model has no usable Connect button; its slot connects all the same.
    if (PlayerCatalogue.at(model).isOnDemand())
        QVERIFY(QMetaObject::invokeMethod(&window, "on_pushButton_Connect_clicked"));
    QTRY_VERIFY(device.linked() && device.server().connections() == int(tcp));
    tcp ? device.server().closeConnection() : device.terminal().closeMaster();
    if (play)
        clickButton(window, "pushButton_Play");
    QTRY_VERIFY(!device.linked());
    spinEventLoop();
    QCOMPARE(boxes.count(), int(!box.isEmpty()));
    QCOMPARE(boxes.text().left(box.size()), box);
    QCOMPARE(state(window), after);
}

// Without any action of the user. A device is listed in about 0.4 s; the wait leaves room for a
// loaded machine.
void tst_Links::devicesAreListed()
{
    PseudoTerminal device;
    MainWindow window;
    chooseModel(window, timetune);
    auto *ports = window.findChild<QComboBox *>("comboBox_Port");
    const QString link = m_devices->filePath("usb-Zoxen_Adapter");
    QVERIFY(QFile::link(device.slaveName(), link));
    QTRY_COMPARE_WITH_TIMEOUT(tooltipOf(ports, link), "Stable name of " + device.slaveName(), 3000);
    QVERIFY(QFile::remove(link));
    QTRY_VERIFY_WITH_TIMEOUT(!entries(ports).contains(link), 3000);
}

// With Auto-connection a lost link is waited for without a box, tried quietly meanwhile, and
// comes back by itself (a new pseudo-terminal behind the same stable name, a device listening
// again), unless Disconnect was pressed meanwhile.
void tst_Links::lostLinkComesBack_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("disconnect");

    QTest::newRow("serial/device back behind its stable name") << timetune << false;
    QTest::newRow("serial/Disconnect while waiting") << timetune << true;
    QTest::newRow("tcp/device listening again") << showcasterNetwork << false;
}

void tst_Links::lostLinkComesBack()
{
    QFETCH(int, model);
    QFETCH(bool, disconnect);

    const bool tcp = PlayerCatalogue.at(model).isTcp();
    PseudoTerminal first;
    PseudoTerminal second;
    RecordingServer server;
    const quint16 port = server.serverPort();
    const QString link = m_devices->filePath("usb-Zoxen_Adapter");
    QVERIFY(QFile::link(first.slaveName(), link));
    ModalBoxCatcher boxes;
    MainWindow window;
    window.findChild<QCheckBox *>("checkBox_Auto_connection")->setChecked(true);
    pointAtLoopback(window, model, port);
    chooseModel(window, model);
    if (!tcp)
        choosePort(window, link);
    clickButton(window, "pushButton_Connect");
    QTRY_COMPARE(server.connections(), int(tcp));
    QTRY_COMPARE(state(window), open);

    QSignalSpy failures(tcpSocket, &QTcpSocket::errorOccurred);
    if (tcp) {
        server.close();
        server.closeConnection();
    } else {
        first.closeMaster();
    }
    QTRY_VERIFY(!serialPort->isOpen() && !tcpSocket->isOpen() && failures.count() >= int(tcp) * 2);
    QVERIFY(QMetaObject::invokeMethod(&window, "Play_Folder_003"));
    QCOMPARE(state(window), "disconnect / Not sent / The link to the player was lost: waiting for "
                            "it to come back (Disconnect stops waiting).");
    if (disconnect) {
        clickButton(window, "pushButton_Disconnect");
        QCOMPARE(state(window), closed + " / Not sent");
    }

    if (tcp) {
        QVERIFY(server.listen(QHostAddress::LocalHost, port));
    } else {
        const QString made = link + ".new";
        QVERIFY(QFile::link(second.slaveName(), made) &&
                std::rename(qPrintable(made), qPrintable(link)) == 0);
        QTRY_COMPARE(tooltipOf(window.findChild<QComboBox *>("comboBox_Port"), link),
                     "Stable name of " + second.slaveName());
    }
    QTRY_COMPARE(state(window), (disconnect ? closed : open) + " / Not sent");
    QCOMPARE(boxes.count(), 0);
    if (disconnect)
        return;
    clickButton(window, "pushButton_Play");
    if (tcp) {
        QTRY_VERIFY(!server.received().isEmpty());
        server.peer()->write("PLAYING\r\n");
    } else {
        QCOMPARE(second.read(3).size(), 3);
        QVERIFY(second.write("PLAYING\r\n"));
    }
    QTRY_VERIFY(window.findChild<ReceivedDataView *>("textEdit_Data")->text().contains("PLAYING"));
}

QTEST_MAIN(tst_Links)
#include "tst_links.moc"
