#include "app/mainwindow.h"
#include "app/version.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "transmission/clock.h"
#include "windowdriver.h"

#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

const int showcasterNetwork = 3;

// How long to wait for the simulator before giving up: generous, for a loaded machine under the
// sanitizers.
const int patienceMs = 60000;

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// The reply as the received-data view keeps it in ASCII mode.
QString shownText(const QString &escaped)
{
    QString text = escaped;
    text.replace(QLatin1String("\\r"), QLatin1String("\r"));
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\\0"), QString(QChar(0)));
    return text;
}

// The zoxen-device-sim program, run for the length of a test, with its output kept line by line.
class Simulator
{
public:
    explicit Simulator(const QStringList &arguments)
    {
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { read(); });
        m_process.start(QStringLiteral(ZOXEN_DEVICE_SIM), arguments);
    }

    ~Simulator()
    {
        if (!hasEnded()) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The first line: where the device can be reached.
    QString address()
    {
        if (!QTest::qWaitFor([this] { return !m_lines.isEmpty() || hasEnded(); }, patienceMs))
            return {};
        return m_lines.value(0);
    }

    bool hasEnded() const { return m_process.state() == QProcess::NotRunning; }
    const QStringList &lines() const { return m_lines; }

    // The lines that show frames.
    const QStringList &frameLines() const { return m_frameLines; }

    bool waitFor(const std::function<bool()> &condition)
    {
        return QTest::qWaitFor(condition, patienceMs);
    }

    QString tail() const { return m_lines.mid(qMax(0, m_lines.size() - 8)).join('\n'); }

    // Ctrl+C's sibling, SIGTERM: the exit status of a clean stop.
    int stop()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(patienceMs) ||
            m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        read();
        return m_process.exitCode();
    }

private:
    void read()
    {
        m_partial += m_process.readAllStandardOutput();
        int end = 0;
        static const QRegularExpression frame(QStringLiteral("^[0-9A-F]{2}( |$)"));
        while ((end = m_partial.indexOf('\n')) >= 0) {
            m_lines << QString::fromUtf8(m_partial.left(end));
            m_partial.remove(0, end + 1);
            if (frame.match(m_lines.last()).hasMatch())
                m_frameLines << m_lines.last();
        }
    }

    QProcess m_process;
    QByteArray m_partial;
    QStringList m_lines;
    QStringList m_frameLines;
};

// Starts the simulator for the model and links the window to it as a user would.
std::unique_ptr<Simulator> startAndLink(MainWindow &window, int model)
{
    const PlayerModel &entry = PlayerCatalogue.at(model);
    std::unique_ptr<Simulator> simulator;
    if (entry.isTcp()) {
        const quint16 port = freePort();
        simulator = std::make_unique<Simulator>(
            QStringList{QStringLiteral("--port"), QString::number(port), entry.name});
        if (simulator->address() != QStringLiteral("listening on 127.0.0.1:%1").arg(port))
            return nullptr;
        pointAtLoopback(window, model, port);
    } else {
        simulator = std::make_unique<Simulator>(QStringList{entry.name});
        const QString address = simulator->address();
        if (!address.startsWith(QStringLiteral("serial port: /dev/")))
            return nullptr;
        choosePort(window, address.section(QStringLiteral(": "), 1));
    }
    chooseModel(window, model);
    if (!entry.isOnDemand())
        clickButton(window, QStringLiteral("pushButton_Connect"));
    return simulator;
}

bool linked(const PlayerModel &model)
{
    if (model.isOnDemand())
        return true;
    return model.isTcp() ? tcpSocket->state() == QAbstractSocket::ConnectedState
                         : serialPort->isOpen();
}

// Every control of the command area, the slider aside, that a user can press.
QStringList visibleButtons(MainWindow &window)
{
    QStringList names;
    const auto buttons =
        window.findChild<QWidget *>("frame_Commands")->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->isVisibleTo(&window) && button->objectName() != "pushButton_Clear")
            names << button->objectName();
    }
    names.sort();
    return names;
}

} // namespace

class tst_EndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void everyControl_data();
    void everyControl();
    void answersAfterAbandonedClient();
    void givenSerialDevice();
    void commandLine_data();
    void commandLine();
};

void tst_EndToEnd::initTestCase()
{
    setConsoleIdentity();
    setClockSource(fixedClock);
}

void tst_EndToEnd::cleanup()
{
    serialPort->close();
    tcpSocket->abort();
}

// Each row's steps, in order:
//   pushButton_Play => id 0  Play    clicks, then expects the simulator's next frame line to be
//                                    the bytes that the window shows as sent, two spaces, and
//                                    this description;
//   comboBox_Folder = 130            chooses an entry, as a user does;
//   <- VOLUME: 40\\r\\n                expects this reply, printed by the simulator and shown in
//                                    the received-data area since the last reply;
//   -- not for this device, ...      expects this event line from the simulator.
// Every visible button of the command area is pressed at least once.
void tst_EndToEnd::everyControl_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QStringList>("script");

    const QStringList addressed{
        "comboBox_Folder = 130",
        "pushButton_Folder => id 0  Folder 130 (bank 1, number 2)",
        "pushButton_Previous_Folder => id 0  Previous Folder",
        "pushButton_Previous_File => id 0  Previous File",
        "pushButton_Play => id 0  Play",
        "pushButton_Stop => id 0  Stop",
        "pushButton_Pause => id 0  Play/Pause",
        "pushButton_Next_File => id 0  Next File",
        "pushButton_Next_Folder => id 0  Next Folder",
        "pushButton_Volume_Mute_Unmute => id 0  Mute/Demute",
        "pushButton_Volume_Less => id 0  Volume 0",
        "pushButton_Volume_More => id 0  Volume 100",
        "comboBox_Other_Command = Set date/time",
        "pushButton_Other_Command => id 0  Set date/time 27-01-15 09:00:00",
        "comboBox_Request = Player Status",
        "pushButton_Request => id 0  Player Status?",
        "<- PLAYER STATUS: PLAYING FOLDER 130 MUTED\\r\\n",
        "pushButton_Standby_Wakeup => id 0  Standby/Wakeup",
        "pushButton_Request => id 0  Player Status?",
        "<- PLAYER STATUS: STANDBY\\r\\n",
    };
    QTest::newRow("addressed serial") << modelIndex("Showcaster - SC900 (Serial)") << addressed;
    QTest::newRow("addressed TCP/IP") << modelIndex("Showcaster - SC900 (TCP/IP)") << addressed;
    QTest::newRow("addressed serial, two banks")
        << modelIndex("FB4xxQ(n) (Serial) (legacy)")
        << QStringList{
               "comboBox_Folder = 255",
               "pushButton_Folder => id 0  Folder 255 (bank 1, number 127)",
               "pushButton_Previous_Folder => id 0  Previous Folder",
               "pushButton_Previous_File => id 0  Previous File",
               "pushButton_Play => id 0  Play",
               "pushButton_Stop => id 0  Stop",
               "pushButton_Pause => id 0  Pause",
               "pushButton_Next_File => id 0  Next File",
               "pushButton_Next_Folder => id 0  Next Folder",
               "pushButton_Volume_Less => id 0  Volume 0",
               "pushButton_Volume_More => id 0  Volume 31",
               "comboBox_Request = Current folder number",
               "pushButton_Request => id 0  Current folder number?",
               "<- CURRENT FOLDER NUMBER: 255\\r\\n",
               "comboBox_Change_ID = 5",
               "pushButton_Change_ID => id 0  Change ID to 5",
               "pushButton_Request => id 0  Current folder number?",
               "-- not for this device, whose id is 5",
               "comboBox_ID = 5",
               "comboBox_Request = Volume",
               "pushButton_Request => id 5  Volume?",
               "<- VOLUME: 31\\r\\n",
           };
    QTest::newRow("unaddressed serial")
        << modelIndex("Tunebox (Serial)")
        << QStringList{
               "pushButton_Previous_File => Previous File",
               "pushButton_Play => Play",
               "pushButton_Stop => Stop",
               "pushButton_Next_File => Next File",
               "pushButton_Volume_Less => Volume 0",
               "pushButton_Volume_More => Volume 64",
               "comboBox_Other_Command = FTP update: preset 3",
               "pushButton_Other_Command => FTP update: preset 3",
               "comboBox_Source_Of_Playback = SPOT folder (Random + Reset)",
               "comboBox_Ref_Of_Playback = 010",
               "comboBox_Option_Of_Playback = 003",
               "pushButton_Launch_Playback => SPOT folder (Random + Reset) reference 10 option 3",
           };
    QTest::newRow("on demand")
        << modelIndex("Tunebox (NX) (TCP/IP)")
        << QStringList{
               "pushButton_Play => Play  cmd \"32\" \"255\" \"255\"",
               "pushButton_Stop => Stop  cmd \"34\" \"255\" \"255\"",
               "pushButton_Next_File => Next File  cmd \"35\" \"255\" \"255\"",
               "pushButton_Previous_File => Previous File  cmd \"36\" \"255\" \"255\"",
               "pushButton_Volume_Less => Volume 0  set \"VolumeLocalMusic\" \"-64\"",
               "pushButton_Volume_More => Volume 64  set \"VolumeLocalMusic\" \"0\"",
               "comboBox_Source_Of_Playback = Webradio",
               "comboBox_Webradio_Ref_Of_Playback = 002",
               "pushButton_Launch_Playback => Webradio preset 2  cmd \"64\" \"2\" \"0\"",
               "comboBox_Request = Player status",
               "pushButton_Request => Player status?  get \"PlayerStatus\"",
               "<- PLAYER STATUS: PLAYING WEBRADIO 2\\0",
               "comboBox_Request = Volume",
               "pushButton_Request => Volume?  get \"VolumeLocalMusic\"",
               "<- VOLUME: 64\\0",
           };
}

void tst_EndToEnd::everyControl()
{
    QFETCH(int, model);
    QFETCH(QStringList, script);

    ModalBoxCatcher boxes;
    MainWindow window;
    const std::unique_ptr<Simulator> simulator = startAndLink(window, model);
    QVERIFY(simulator);
    const PlayerModel &entry = PlayerCatalogue.at(model);
    QVERIFY(QTest::qWaitFor([&] { return linked(entry); }, patienceMs));

    auto *sent = window.findChild<QLabel *>("label_Bytes_Sended");
    const ReceivedDataView *received = window.findChild<ReceivedDataView *>("textEdit_Data");
    int framesSeen = 0;
    int linesSeen = 0;
    int receivedSeen = 0;
    QStringList pressed;
    for (const QString &step : qAsConst(script)) {
        const QString context = step + "\n" + simulator->tail();
        if (step.contains(" => ")) {
            const QString button = step.section(" => ", 0, 0);
            pressed << button;
            clickButton(window, button);
            QVERIFY2(
                simulator->waitFor([&] { return simulator->frameLines().size() > framesSeen; }),
                qPrintable(context));
            QCOMPARE(simulator->frameLines().at(framesSeen++),
                     sent->text() + "  " + step.section(" => ", 1));
            // The on-demand device ends each exchange; the next command opens a new one.
            if (entry.isOnDemand())
                QVERIFY2(QTest::qWaitFor([] { return !tcpSocket->isOpen(); }, patienceMs),
                         qPrintable(context));
        } else if (step.startsWith("<- ") || step.startsWith("-- ")) {
            QVERIFY2(simulator->waitFor(
                         [&] { return simulator->lines().indexOf(step, linesSeen) >= 0; }),
                     qPrintable(context));
            linesSeen = simulator->lines().indexOf(step, linesSeen) + 1;
            if (step.startsWith("<- ")) {
                const QString reply = shownText(step.mid(3));
                QVERIFY2(QTest::qWaitFor(
                             [&] { return received->text().indexOf(reply, receivedSeen) >= 0; },
                             patienceMs),
                         qPrintable(step + "\nshown: " + received->text()));
                receivedSeen = received->text().indexOf(reply, receivedSeen) + reply.size();
            }
        } else {
            QVERIFY2(chooseEntry(window, step.section(" = ", 0, 0), step.section(" = ", 1)),
                     qPrintable(step));
        }
    }

    pressed.removeDuplicates();
    pressed.sort();
    QCOMPARE(pressed, visibleButtons(window));
    // Nothing else reached the device.
    QCOMPARE(simulator->frameLines().size(), framesSeen);
    QCOMPARE(boxes.count(), 0);
    // The console lets go first, so that the device's going away is not reported.
    serialPort->close();
    tcpSocket->abort();
    QCOMPARE(simulator->stop(), 0);
    QCOMPARE(simulator->lines().last(), QString("-- stopped"));
}

void tst_EndToEnd::answersAfterAbandonedClient()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    const std::unique_ptr<Simulator> simulator = startAndLink(window, showcasterNetwork);
    QVERIFY(simulator);
    QVERIFY(
        QTest::qWaitFor([] { return linked(PlayerCatalogue.at(showcasterNetwork)); }, patienceMs));
    const quint16 port = PlayerCatalogue.at(showcasterNetwork).tcpPort;

    // A client that starts a frame and vanishes: what it sent is shown, nothing is lost.
    {
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(client.waitForConnected(patienceMs));
        client.write(QByteArray::fromHex("8002"));
        QVERIFY(client.waitForBytesWritten(patienceMs));
        QVERIFY(simulator->waitFor(
            [&] { return simulator->lines().filter("-- connection from").size() >= 2; }));
        client.abort();
    }
    QVERIFY2(simulator->waitFor(
                 [&] { return simulator->lines().contains("80 02  undecodable (2 bytes)"); }),
             qPrintable(simulator->tail()));

    // The window's request is still answered.
    const int framesAfter = simulator->frameLines().size();
    const ReceivedDataView *received = window.findChild<ReceivedDataView *>("textEdit_Data");
    clickButton(window, QStringLiteral("pushButton_Request"));
    QVERIFY(simulator->waitFor([&] {
        return simulator->frameLines().mid(framesAfter).contains("80 04 01  id 0  Player Status?");
    }));
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     return received->text().startsWith("PLAYER STATUS: ") &&
                            received->text().endsWith("\r\n");
                 },
                 patienceMs),
             qPrintable(received->text()));
    QCOMPARE(boxes.count(), 0);
    tcpSocket->abort();
    QCOMPARE(simulator->stop(), 0);
}

void tst_EndToEnd::givenSerialDevice()
{
    PseudoTerminal line;
    QVERIFY(line.isValid());
    Simulator simulator({"--device", line.slaveName(), "--baud", "9600", "Boostbox 1"});
    QCOMPARE(simulator.address(), "serial port: " + line.slaveName());
    const PseudoTerminal::LineSettings settings = line.lineSettings();
    QCOMPARE(settings.baudRate, 9600);
    QCOMPARE(settings.dataBits, 8);
    QVERIFY(!settings.parity);
    QVERIFY(!settings.twoStopBits);
    QVERIFY(!settings.hardwareFlowControl);

    // Its "Information" request, in two pieces.
    QVERIFY(line.write(QByteArray::fromHex("8004")));
    QVERIFY(line.write(QByteArray::fromHex("40")));
    const QByteArray reply = "INFORMATION: ID 0 VOLUME 56\r\n";
    QCOMPARE(line.read(reply.size(), patienceMs), reply);
    QVERIFY(simulator.lines().contains("80 04 40  id 0  Information?"));

    // The device at the other end goes away: the simulator says so once and ends.
    line.closeMaster();
    QVERIFY(simulator.waitFor([&] { return simulator.hasEnded(); }));
    QVERIFY(simulator.lines().last().startsWith("-- serial port lost: "));
}

void tst_EndToEnd::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    // Lines that the output (stdout for status 0, else stderr) must hold. PORT IN USE stands
    // for a port that the test holds on 127.0.0.1.
    QTest::addColumn<QStringList>("output");

    QStringList names;
    for (const PlayerModel &model : buildCatalogueModels())
        names << model.name;
    const QString program = QStringLiteral("zoxen-device-sim: ");
    QTest::newRow("list") << QStringList{"--list"} << 0 << names;
    QTest::newRow("help") << QStringList{"--help"} << 0
                          << QStringList{"Usage: " ZOXEN_DEVICE_SIM " [options] \"<model>\"",
                                         "  -l, --list           Lists the models' names and "
                                         "exits."};
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << QStringList{"zoxen-device-sim " ZOXEN_VERSION};
    QTest::newRow("unknown option")
        << QStringList{"--lst"} << 2 << QStringList{program + "Unknown option 'lst'."};
    QTest::newRow("unknown model")
        << QStringList{"Timetune 2"} << 2
        << QStringList{program + "no model is named \"Timetune 2\" (--list shows the names)"};
    QTest::newRow("no model") << QStringList{} << 2
                              << QStringList{program +
                                             "give one model name, in quotes (--list shows them)"};
    QTest::newRow("port for a serial model")
        << QStringList{"--port", "4000", "Timetune"} << 2
        << QStringList{program + "--port is for TCP/IP models; use --device"};
    QTest::newRow("baud rate outside the set")
        << QStringList{"--device", "/dev/null", "--baud", "14400", "Timetune"} << 2
        << QStringList{program + "--baud takes 1200, 2400, 4800, 9600, 19200, 38400, 57600 or "
                                 "115200"};
    QTest::newRow("port in use")
        << QStringList{"--port", "PORT IN USE", "Tunebox (NX) (TCP/IP)"} << 1
        << QStringList{program + "cannot listen on 127.0.0.1:PORT IN USE: The bound address is "
                                 "already in use"};
    QTest::newRow("serial device missing")
        << QStringList{"--device", "/dev/zoxen-no-such-port", "Timetune"} << 1
        << QStringList{program + "cannot open /dev/zoxen-no-such-port: No such file or directory"};
}

void tst_EndToEnd::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, output);

    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    const QString port = QString::number(taken.serverPort());
    arguments.replaceInStrings("PORT IN USE", port);
    output.replaceInStrings("PORT IN USE", port);

    QProcess simulator;
    simulator.start(ZOXEN_DEVICE_SIM, arguments);
    QVERIFY(simulator.waitForFinished(patienceMs));
    QCOMPARE(simulator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(simulator.exitCode(), exitCode);
    const QByteArray text =
        exitCode == 0 ? simulator.readAllStandardOutput() : simulator.readAllStandardError();
    const QStringList lines = QString::fromUtf8(text).split('\n');
    for (const QString &line : qAsConst(output))
        QVERIFY2(lines.contains(line), qPrintable(line + "\nnot in:\n" + text));
}

QTEST_MAIN(tst_EndToEnd)
#include "tst_endtoend.moc"
