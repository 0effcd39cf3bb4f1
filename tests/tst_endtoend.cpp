#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "recording/sessionlines.h"
#include "recording/sessionrecorder.h"
#include "sendersupport.h"
#include "stalledlistener.h"
#include "testtable.h"
#include "windowdriver.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// The window, zoxen-send and session recording against the real simulator and loopback players.
namespace {

const int patienceMs = 60000;
const char recordUntilKilled[] = "--record-until-killed";
const char withFileLimits[] = "--with-file-limits";
const QString t = QStringLiteral("2027-01-15 09:00:00.250+01:00\t");
const QString frameLine = QStringLiteral("^[0-9A-F]{2}( |$)");

QString chosenPath;

// The save dialog answers with chosenPath; every recorded line bears one time; a medium that
// does not keep up is found out sooner.
void recordInTests(ConsoleEnvironment &environment)
{
    environment.recordingBufferBytes = 256 * 1024;
    environment.chooseSavePath = [](auto &&...) {
        return chosenPath;
    };
    environment.sessionClock = [] {
        return QDateTime(QDate(2027, 1, 15), QTime(9, 0, 0, 250), Qt::OffsetFromUTC, 3600);
    };
}

void trigger(MainWindow &window, const char *action)
{
    window.findChild<QAction *>(QString::fromLatin1(action))->trigger();
}

QStringList fileLines(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

// zoxen-device-sim for one model, on a pseudo-terminal or a free port of 127.0.0.2 (not the
// loopback address that everything uses).
struct Simulator
{
    QProcess process;
    QStringList lines;
    QString address; // the serial port's path or the TCP port

    explicit Simulator(const PlayerModel &model)
    {
        QStringList arguments;
        if (model.isTcp()) {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost);
            address = QString::number(probe.serverPort());
            arguments << "--address"
                      << "127.0.0.2"
                      << "--port" << address;
        }
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] {
            while (process.canReadLine())
                lines << QString::fromUtf8(process.readLine()).chopped(1);
        });
        process.start(ZOXEN_DEVICE_SIM, arguments << model.name);
        if (QTest::qWaitFor([this] { return !lines.isEmpty(); }, patienceMs) && !model.isTcp())
            address = lines.first().section(": ", 1);
    }
    ~Simulator()
    {
        process.kill();
        process.waitForFinished();
    }
    // The index of the first line from `from` on that matches, once printed; -1 if none comes.
    int find(const QString &pattern, int from)
    {
        const QRegularExpression expression(pattern + ".*"); // a whole line
        (void)QTest::qWaitFor([&] { return lines.indexOf(expression, from) >= 0; }, patienceMs);
        return lines.indexOf(expression, from);
    }
};

// Numbered chunks at ten times a 115200 bit/s line, each number printed once handed over.
int recordChunksUntilKilled(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    SessionRecorder recorder(1 << 30);
    recorder.start(QString::fromLocal8Bit(argv[2]));
    int number = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QByteArray chunk = QByteArray::number(number) + ' ';
        chunk += QByteArray(1152 - chunk.size(), '\x7E');
        recorder.record(SessionLine::received(QDateTime::currentDateTime(), chunk));
        ++number;
    });
    // The last chunk of each hand-over to the writer.
    QObject::connect(&recorder, &SessionRecorder::progressed, [&number] {
        std::printf("%d\n", number - 1);
        std::fflush(stdout);
    });
    timer.start(10);
    return application.exec();
}

// zoxen-send with a lower limit on open files: "SOFT" keeps the hard limit, "SOFT HARD" lowers it
// too, which only a privileged process could undo, hence a process of its own.
int sendWithFileLimits(char *argv[])
{
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    const QStringList numbers = QString::fromLatin1(argv[2]).split(' ');
    limit.rlim_cur = numbers.at(0).toULong();
    limit.rlim_max = numbers.size() > 1 ? numbers.at(1).toULong() : limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    argv[2] = const_cast<char *>(ZOXEN_SEND);
    return execv(ZOXEN_SEND, argv + 2);
}

} // namespace

class tst_EndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setConsoleIdentity();
        QVERIFY(m_directory.isValid());
        // Where the dialogs propose to save, and the window's settings.
        qputenv("HOME", QFile::encodeName(m_directory.filePath("home")));
    }
    void window_data();
    void window();
    void simulatorCommandLine_data();
    void simulatorCommandLine();
    void senderToPlayers_data();
    void senderToPlayers();
    void recordingFailureThenSave_data();
    void recordingFailureThenSave();
    void recordingKilled();
    void saveDialogs_data();
    void saveDialogs();
    void receivedModesAndClear();
    void timeline();
    void windowSequences_data();
    void windowSequences();
    void recordedSequenceRunsAgain();
    void simulatorOnGivenDevice();

private:
    QTemporaryDir m_directory;
};

// Steps: "button => what the simulator decodes", "list = entry", "<- answer as it prints it".
void tst_EndToEnd::window_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("script");
    // Then zoxen-send, on the same simulator: "command => what the simulator decodes".
    QTest::addColumn<QString>("sender");
    const QStringList showcaster{"pushButton_Play => id 0  Play",
                                 "pushButton_Volume_Mute_Unmute => id 0  Mute/Demute",
                                 "comboBox_Request = Volume",
                                 "pushButton_Request => id 0  Volume?",
                                 "<- VOLUME: 100 MUTED\\r\\n",
                                 "comboBox_Request = Player Status",
                                 "pushButton_Request => id 0  Player Status?",
                                 "<- PLAYER STATUS: PLAYING FOLDER 000 MUTED\\r\\n"};
    QTest::newRow("serial, recorded") << "Showcaster - SC900 (Serial)" << showcaster
                                      << "Folder 130 => id 0  Folder 130 (bank 1, number 2)";
    QTest::newRow("TCP/IP, recorded")
        << "Showcaster - SC900 (TCP/IP)" << showcaster << "Volume 40 => id 0  Volume 40";
    QTest::newRow("on demand") << "Tunebox (NX) (TCP/IP)"
                               << QStringList{
                                      "pushButton_Play => Play  cmd \"32\" \"255\" \"255\"",
                                      "pushButton_Volume_Less => Volume 0  set "
                                      "\"VolumeLocalMusic\" \"-64\"",
                                      "comboBox_Request = Volume",
                                      "pushButton_Request => Volume?  get \"VolumeLocalMusic\"",
                                      "<- VOLUME: 0\\0",
                                  }
                               << "Volume 0 => Volume 0  set \"VolumeLocalMusic\" \"-64\"";
}

// The pseudo-terminal's path is typed in, as a user does; every exchange of the connected
// models is recorded, and the file holds exactly those lines, in order.
void tst_EndToEnd::window()
{
    QFETCH(QString, model);
    QFETCH(QStringList, script);
    QFETCH(QString, sender);
    ModalBoxCatcher boxes;
    const int index = modelIndex(model);
    const PlayerModel entry = buildCatalogueModels().at(index);
    Simulator simulator(entry);
    QVERIFY(!simulator.address.isEmpty());
    ConsoleEnvironment environment =
        testEnvironment(entry.isTcp() ? simulator.address.toUShort() : 0);
    recordInTests(environment);
    MainWindow window(std::move(environment));
    entry.isTcp() ? setAddress(window, {127, 0, 0, 2}) : choosePort(window, simulator.address);
    chooseModel(window, index);
    const bool recorded = !entry.isOnDemand();
    QStringList expected;
    if (recorded) {
        clickButton(window, "pushButton_Connect");
        QTRY_COMPARE_WITH_TIMEOUT(linkOf(window).state(), DeviceLink::State::Open, patienceMs);
        const QString link = entry.isTcp() ? "127.0.0.2 port " + simulator.address
                                           : QStringLiteral("serial port %1 at %2 bit/s")
                                                 .arg(simulator.address)
                                                 .arg(entry.defaultBaudRate);
        chosenPath = m_directory.filePath(QString::number(index) + ".log");
        trigger(window, "action_Record_Session");
        expected << t + "recording\tstarted" << t + "model\t" + model
                 << t + "link\tconnected to " + link;
        script << "pushButton_Disconnect" << t + "link\tdisconnected from " + link;
    }

    const auto *sent = window.findChild<QLabel *>("label_Bytes_Sended");
    const auto *view = window.findChild<ReceivedDataView *>("textEdit_Data");
    int seen = 0;
    for (const QString &step : qAsConst(script)) {
        if (step.contains(" => ")) {
            clickButton(window, step.section(" => ", 0, 0));
            const int frame = simulator.find(frameLine, seen);
            QVERIFY2(frame >= 0, qPrintable(step));
            const QString description = step.section(" => ", 1);
            QCOMPARE(simulator.lines.at(frame), sent->text() + "  " + description);
            seen = frame + 1;
            expected << t + "sent\t" + sent->text() + '\t' +
                            description.section("  ", -1).remove('?');
            if (entry.isOnDemand())
                QTRY_COMPARE_WITH_TIMEOUT(linkOf(window).state(), DeviceLink::State::Closed,
                                          patienceMs);
        } else if (step.startsWith("<- ")) {
            const int answer = simulator.find("^<- ", seen);
            QCOMPARE(simulator.lines.value(answer), step);
            seen = answer + 1;
            QByteArray bytes = step.mid(3).toUtf8();
            bytes.replace("\\r", "\r").replace("\\n", "\n").replace("\\0", QByteArray(1, '\0'));
            QTRY_COMPARE_WITH_TIMEOUT(view->text().toUtf8(), bytes, patienceMs);
            expected << t + "received\t" + SessionLine::hexBytes(bytes) + '\t' + step.mid(3);
            window.findChild<QPushButton *>("pushButton_Clear")->click();
        } else if (step.contains(" = ")) {
            QVERIFY(chooseEntry(window, step.section(" = ", 0, 0), step.section(" = ", 1)));
        } else if (step.startsWith("pushButton_")) {
            clickButton(window, step);
        } else {
            expected << step;
        }
    }
    if (recorded) {
        trigger(window, "action_Stop_Recording");
        QCOMPARE(fileLines(chosenPath), expected << t + "recording\tstopped");
    }
    QCOMPARE(boxes.count(), 0);

    const QStringList link = entry.isTcp()
                                 ? QStringList{"--host", "127.0.0.2", "--port", simulator.address}
                                 : QStringList{"--device", simulator.address};
    const auto [status, lines] =
        send(QStringList{"--model", model, "--wait", "0", sender.section(" => ", 0, 0)} + link);
    QCOMPARE(status, 0);
    // The next frame that the simulator read is the sender's: the window sent nothing more.
    QCOMPARE(simulator.lines.value(simulator.find(frameLine, seen)),
             lines.value(0) + "  " + sender.section(" => ", 1));
}

void tst_EndToEnd::simulatorCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown model") << QStringList{"Timetune 2"} << 2
                                   << "no model is named \"Timetune 2\" (--list shows the names)";
    QTest::newRow("serial device missing")
        << QStringList{"--device", "/dev/zoxen-no-such-port", "Timetune"} << 1
        << "cannot open /dev/zoxen-no-such-port: No such file or directory";
    QTest::newRow("address that other machines reach")
        << QStringList{"--address", "192.168.1.5", "Showcaster - SC900 (TCP/IP)"} << 2
        << "--address takes a loopback address, 127.0.0.1 to 127.255.255.254";
    QTest::newRow("rate that no port takes")
        << QStringList{"--device", "/dev/null", "--baud", "12345", "Timetune"} << 2
        << "--baud takes 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200";
}

void tst_EndToEnd::simulatorCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QProcess simulator;
    simulator.start(ZOXEN_DEVICE_SIM, arguments);
    QVERIFY(simulator.waitForFinished(patienceMs));
    QCOMPARE(simulator.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(simulator.readAllStandardError()),
             "zoxen-device-sim: " + message + '\n');
}

void tst_EndToEnd::senderToPlayers_data()
{
    QTest::addColumn<QString>("model");
    // What each player on 127.0.93.1, .2, ... answers; "refuses" where none listens, "stalled"
    // on 127.0.0.1 where a connection is never accepted.
    QTest::addColumn<QStringList>("answers");
    // The arguments after the players', one starting with "<<" standing for "-" and the sequence
    // fed to standard input (lines separated by "¶"); zoxen-send's limit on open files
    // (sendWithFileLimits).
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("fileLimits");
    // Sent to zoxen-send once every listening player got the frame.
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("status");
    // Printed lines; "received C1¶C2": what each player got is those commands' frames.
    QTest::addColumn<QStringList>("lines");
    const QString showcaster = QStringLiteral("Showcaster - SC900 (TCP/IP)");
    const QStringList standby{"--wait", "0", "Standby"};
    const QStringList hundred = QVector<QString>(100).toList();
    QTest::newRow("one of three refusing, one listed twice")
        << showcaster << QStringList{"", "refuses", ""}
        << QStringList{"--host", "127.0.93.01"} + standby << "" << 0 << 1
        << QStringList{"80 02 0C", "127.0.93.1: sent", "127.0.93.1: listed 2 times, counted once",
                       "127.0.93.2: not sent: An TCP/IP error has occurred! Connection refused",
                       "127.0.93.3: sent"};
    QTest::newRow("on demand, a zero byte answered")
        << "Tunebox (NX) (TCP/IP)" << QStringList{QString::fromUtf8("PLAYING\0", 8), "STOP\r\n"}
        << QStringList{"--wait", "10000", "Player status"} << "" << 0 << 0
        << QStringList{"127.0.93.1: answer text: PLAYING\\0",
                       "127.0.93.2: answer text: STOP\\r\\n"};
    QTest::newRow("interrupted")
        << showcaster << QStringList{"", "stalled"} << QStringList{"--wait", "60000", "Standby"}
        << "" << SIGINT << 1
        << QStringList{"127.0.93.1: interrupted by SIGINT while waiting for the answer",
                       "127.0.0.1: not sent: interrupted by SIGINT before the frame left"};
    QTest::newRow("100 at once, past the soft file limit")
        << showcaster << hundred << QStringList{"--wait", "60000", "Standby"} << "64" << SIGTERM
        << 1 << QStringList{"127.0.93.100: interrupted by SIGTERM while waiting for the answer"};
    QTest::newRow("sequence on three, one refusing")
        << showcaster << QStringList{"", "refuses", ""}
        << QStringList{"--sequence", "<<Play¶wait 300 ms¶# then¶Stop"} << "" << 0 << 1
        << QStringList{"127.0.93.1: done",
                       "127.0.93.2: failed at line 1: Play was not sent: the link failed: "
                       "Connection refused",
                       "127.0.93.3: done", "received Play¶Stop"};
    QTest::newRow("sequence stopped by an answer that does not come")
        << "Tunebox (NX) (TCP/IP)" << QStringList{"PLAYING\r\n"}
        << QStringList{"--wait", "1000", "--sequence",
                       "<<Player status¶expect PLAYING¶Play¶expect STOPPED¶Stop"}
        << "" << 0 << 1
        << QStringList{"127.0.93.1: failed at line 4: \"STOPPED\" did not come within 1000 ms",
                       "127.0.93.1: answer text: PLAYING\\r\\n", "received Player status¶Play"};
    QTest::newRow("sequence with a bad line: nothing sent")
        << showcaster << QStringList{""} << QStringList{"--sequence", "<<Play¶Volume 400"} << ""
        << 0 << 2 << QStringList{"received "};
    QTest::newRow("100 within a hard file limit")
        << showcaster << hundred << standby << "64 64" << 0 << 0
        << QStringList{"127.0.93.1: sent", "127.0.93.100: sent"};
}

void tst_EndToEnd::senderToPlayers()
{
    QFETCH(QString, model);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, arguments);
    QFETCH(QString, fileLimits);
    QFETCH(int, signal);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    std::vector<std::unique_ptr<RecordingServer>> players;
    std::optional<StalledListener> stalled;
    quint16 port = answers.contains("stalled") ? stalled.emplace().port() : 0;
    QStringList hosts;
    for (int i = 0; i < answers.size(); ++i) {
        const QString host = answers.at(i) == "stalled" ? QStringLiteral("127.0.0.1")
                                                        : QStringLiteral("127.0.93.%1").arg(i + 1);
        hosts << "--host" << host;
        if (answers.at(i) == "refuses" || answers.at(i) == "stalled")
            continue;
        RecordingServer *player = players.emplace_back(new RecordingServer).get();
        player->close();
        QVERIFY(player->listen(QHostAddress(host), port));
        port = player->serverPort();
        const QByteArray answer = answers.at(i).toUtf8();
        if (!answer.isEmpty()) {
            connect(player, &QTcpServer::newConnection, [player, answer] {
                connect(player->peer(), &QTcpSocket::readyRead, [player, answer] {
                    player->peer()->write(answer);
                    player->peer()->disconnectFromHost();
                });
            });
        }
    }
    QProcess sender;
    QByteArray input;
    for (QString &argument : arguments) {
        if (argument.startsWith("<<"))
            input = std::exchange(argument, "-").mid(2).replace(u'¶', '\n').toUtf8();
    }
    arguments = QStringList{"--model", model, "--port", QString::number(port)} + hosts + arguments;
    if (fileLimits.isEmpty())
        sender.start(ZOXEN_SEND, arguments);
    else
        sender.start(QCoreApplication::applicationFilePath(),
                     QStringList{withFileLimits, fileLimits} + arguments);
    sender.write(input);
    sender.closeWriteChannel();
    if (signal != 0) {
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(players.cbegin(), players.cend(),
                        [](const auto &p) { return !p->received().isEmpty(); }),
            patienceMs);
        ::kill(pid_t(sender.processId()), signal);
    }
    QTRY_COMPARE_WITH_TIMEOUT(sender.state(), QProcess::NotRunning, patienceMs);
    QCOMPARE(sender.exitStatus() == QProcess::NormalExit ? sender.exitCode() : -1, status);
    const QStringList printed =
        QString::fromUtf8(sender.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QByteArray frames = QByteArray::fromHex(printed.value(0).toLatin1());
    for (const QString &line : qAsConst(lines)) {
        if (line.startsWith("received "))
            frames = framesOf(model, line.mid(9).split(u'¶', Qt::SkipEmptyParts));
        else
            QVERIFY2(printed.contains(line), qPrintable(printed.join('\n')));
    }
    for (const auto &player : players) {
        QTRY_COMPARE(player->received(), frames);
        QVERIFY(player->connections() == 1 || input.contains('\n'));
    }
}

// A medium that fails the recording: one box says why, the recording stops and the window goes
// on, later traffic still shows; Save Received Data As then gives the store byte for byte, once
// the cap has dropped the oldest text.
void tst_EndToEnd::recordingFailureThenSave_data()
{
    QTest::addColumn<QString>("said");
    QTest::newRow("size limit") << QString("File too large");
    QTest::newRow("deleted") << QString("the file was deleted or replaced.");
    QTest::newRow("replaced") << QString("the file was deleted or replaced.");
    QTest::newRow("FIFO not read") << QString("does not take the lines as fast as they come");
    QTest::newRow("FIFO left by its reader") << QString("Broken pipe");
    // Opening it waits for a reader; Stop waits no more than a moment.
    QTest::newRow("FIFO without a reader") << QString("were not written.");
}

void tst_EndToEnd::recordingFailureThenSave()
{
    QFETCH(QString, said);
    const QString medium = QTest::currentDataTag();
    ModalBoxCatcher boxes;
    LinkedDevice device(modelIndex("Showcaster - SC900 (Serial)"), recordInTests);
    MainWindow &window = device.window();
    QVERIFY(device.linked());
    chosenPath = m_directory.filePath(medium + ".log");
    const QByteArray path = QFile::encodeName(chosenPath);
    const bool fifo = medium.startsWith("FIFO");
    const bool noReader = medium == "FIFO without a reader";
    const bool left = medium == "FIFO left by its reader";
    QVERIFY(!fifo || mkfifo(path.constData(), 0600) == 0);
    // Never read, but where the row says.
    int reader = fifo && !noReader ? ::open(path.constData(), O_RDONLY | O_NONBLOCK) : -1;
    trigger(window, "action_Record_Session");
    char first = 0;
    // The first lines are out.
    QTRY_VERIFY(fifo ? !left || ::read(reader, &first, 1) == 1 : QFileInfo(chosenPath).size() > 0);
    if (left)
        ::close(std::exchange(reader, -1));
    QVERIFY(fifo || medium == "size limit" || QFile::remove(chosenPath));
    // Replaced by a FIFO: another file at the path.
    QVERIFY(medium != "replaced" || mkfifo(path.constData(), 0600) == 0);
    if (noReader)
        trigger(window, "action_Stop_Recording");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit limited{medium == "size limit" ? 1024 : previous.rlim_cur, previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limited);
    QTRY_VERIFY_WITH_TIMEOUT((device.terminal().write(QByteArray(2000, 'x')), boxes.count() == 1),
                             patienceMs);
    setrlimit(RLIMIT_FSIZE, &previous);
    QCOMPARE(boxes.title(), QStringLiteral("Recording error"));
    QVERIFY2(boxes.text().contains(said), qPrintable(boxes.text()));
    QVERIFY(window.findChild<QAction *>("action_Record_Session")->isEnabled());
    ::close(reader);
    // The writer left waiting for a reader closes its end once one comes, without what was lost.
    QFile late(chosenPath);
    QVERIFY(!noReader || (late.open(QIODevice::ReadOnly) && late.read(1).isEmpty()));

    auto *view = window.findChild<ReceivedDataView *>("textEdit_Data");
    view->setStoreLimit(1024);
    const QByteArray line(" caf\xC3\xA9 \0 line\r\n", 15);
    for (int batch = 0; batch < 30; ++batch) {
        QByteArray lines;
        for (int i = 0; i < 20; ++i)
            lines += QByteArray::number(batch * 20 + i) + line;
        QVERIFY(device.terminal().write(lines));
        // The QByteArray overload of fromUtf8 would stop at the zero byte.
        const QByteArray last = QByteArray::number(batch * 20 + 19) + line;
        QTRY_VERIFY_WITH_TIMEOUT(
            view->text().endsWith(QString::fromUtf8(last.constData(), last.size())), patienceMs);
    }
    QVERIFY(view->text().size() < 600 * line.size());
    QCOMPARE(boxes.count(), 1);

    chosenPath = m_directory.filePath("received.txt");
    trigger(window, "action_Save_Received_Data");
    QFile saved(chosenPath);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), view->text().toUtf8());
    QCOMPARE(boxes.count(), 1);
}

// Recording at ten times the line rate, the writer takes the chunks while the recording runs
// (not only at its end), and a kill without warning leaves what it wrote whole and in order.
void tst_EndToEnd::recordingKilled()
{
    const QString path = m_directory.filePath("killed.log");
    QProcess child;
    QVector<int> handedOver;
    connect(&child, &QProcess::readyReadStandardOutput, [&] {
        while (child.canReadLine())
            handedOver.append(child.readLine().trimmed().toInt());
    });
    child.start(QCoreApplication::applicationFilePath(), {recordUntilKilled, path});
    QTRY_VERIFY_WITH_TIMEOUT(handedOver.size() >= 2, patienceMs);
    const int due = handedOver.at(1);
    QTRY_VERIFY_WITH_TIMEOUT(fileLines(path).size() > due, patienceMs);
    child.kill();
    QVERIFY(child.waitForFinished());
    const QStringList lines = fileLines(path);
    for (int number = 0; number <= due; ++number)
        QCOMPARE(lines.at(number).section('\t', 3).section(' ', 0, 0), QString::number(number));
}

// Each dialog opens where its file is proposed, in the documents directory or else the home
// directory ("~"); a file recorded to is appended to, without a question about replacing it.
void tst_EndToEnd::saveDialogs_data()
{
    QTest::addColumn<QString>("action");
    // Title | directory | what it asks; a documents directory where the row names one.
    QTest::addColumn<QString>("dialog");
    const QString record = "Record Session (an existing file is appended to) | ";
    // First: a dialog given a directory that does not exist falls back on the one it showed last.
    QTest::newRow("Record Session, no documents directory")
        << "action_Record_Session" << record + "~ | nothing";
    QTest::newRow("Record Session") << "action_Record_Session" << record + "~/Documents | nothing";
    QTest::newRow("Save Received Data As, no documents directory")
        << "action_Save_Received_Data"
        << "Save Received Data | ~ | asks";
}

void tst_EndToEnd::saveDialogs()
{
    QFETCH(QString, action);
    QFETCH(QString, dialog);
    const QString home = m_directory.filePath("home");
    QVERIFY(QDir(home + "/Documents").removeRecursively() && QDir().mkpath(home));
    QVERIFY(!dialog.contains("Documents") || QDir(home).mkdir("Documents"));
    MainWindow window(testEnvironment());
    QString seen;
    // Shown by the time the dialog's event loop runs.
    QTimer::singleShot(0, [&seen] {
        if (auto *shown = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            seen = shown->windowTitle() + " | " + shown->directory().path() + " | " +
                   (shown->testOption(QFileDialog::DontConfirmOverwrite) ? "nothing" : "asks");
            shown->reject();
        }
    });
    trigger(window, qPrintable(action));
    QCOMPARE(seen, dialog.replace('~', home));
}

// What the device sends, in the mode chosen when it arrives; Clear forgets a character cut in
// half as well as the text. (Four bytes written at once reach the port in one read.)
void tst_EndToEnd::receivedModesAndClear()
{
    ModalBoxCatcher boxes;
    LinkedDevice device(modelIndex("Timetune"));
    MainWindow &window = device.window();
    QVERIFY(device.linked());
    auto *view = window.findChild<ReceivedDataView *>("textEdit_Data");
    const QVector<std::pair<const char *, QString>> steps = {
        {"OK\xE4\xB8", "OK"},         {"pushButton_Clear", ""},
        {"\xAD", "\uFFFD"},           {"radioButton_Data_Hex", "\uFFFD"},
        {"\x0D\x0A", "\uFFFD 0D 0A"}, {"radioButton_Data_Dec", "\uFFFD 0D 0A"},
        {"\xFF", "\uFFFD 0D 0A 255"}};
    for (const auto &[input, shown] : steps) {
        if (window.findChild<QAbstractButton *>(input))
            clickButton(window, input);
        else
            QVERIFY(device.terminal().write(input));
        QTRY_COMPARE(view->text(), shown);
    }
    QCOMPARE(boxes.count(), 0);
}

// With the timeline on, what was sent and what came back, in order and when; the clock moves
// only when the test moves it. The modes and the timeline itself render the same events again.
void tst_EndToEnd::timeline()
{
    ModalBoxCatcher boxes;
    const qint64 start = fixedClock().msecsSinceEpoch;
    qint64 now = start;
    LinkedDevice device(modelIndex("Timetune"), [&now](ConsoleEnvironment &environment) {
        environment.sessionClock = [&now] {
            return QDateTime::fromMSecsSinceEpoch(now, Qt::OffsetFromUTC, 3600);
        };
    });
    MainWindow &window = device.window();
    QVERIFY(device.linked());
    auto *view = window.findChild<ReceivedDataView *>("textEdit_Data");
    const auto at = [start](qint64 ms, const QString &rest) {
        return QTime(9, 0).addMSecs(int(ms)).toString("HH:mm:ss.zzz ") + rest;
    };
    QStringList lines = {at(0, "• Connected to %1 at %2 bit/s")
                             .arg(device.terminal().slaveName())
                             .arg(linkOf(window).target().baudRate)};
    // Steps: received bytes, or a button pressed, at the given time; then the lines shown.
    const auto step = [&](qint64 ms, const QByteArray &input, const QStringList &shown) {
        now = start + ms;
        if (auto *button = window.findChild<QAbstractButton *>(QString::fromLatin1(input)))
            button->click();
        else
            QVERIFY(device.terminal().write(input));
        lines += shown;
        QTRY_COMPARE(view->text(), lines.join('\n'));
    };
    QVERIFY(device.terminal().write("early"));
    QTRY_COMPARE(view->text(), "early");
    step(0, "checkBox_Timeline", {at(0, "← early")});
    step(1000, "pushButton_Play", {at(1000, "→ 80 02 01  Play")});
    step(1042, "OK\r\n", {at(1042, "← +42 ms OK")});
    // A character cut between two reads, then joined within the pause.
    step(1500, "\xE4\xB8", {at(1500, "← +500 ms ")});
    lines.removeLast();
    step(1550, "\xAD!", {at(1500, "← +500 ms \u4E2D!")});
    step(2000, "pushButton_Stop", {at(2000, "→ 80 02 02  Stop")});
    step(2150, "\x06", {at(2150, "← +150 ms \x06")});
    const QString timeline = lines.join('\n');
    QAccessibleTextInterface *read = QAccessible::queryAccessibleInterface(view)->textInterface();
    QCOMPARE(read->text(0, read->characterCount()), QString(timeline).replace('\x06', u'\u2406'));

    clickButton(window, "radioButton_Data_Hex");
    clickButton(window, "radioButton_Sent_Dec");
    QCOMPARE(view->text(),
             QStringList({lines.at(0), at(0, "← 65 61 72 6C 79"), at(1000, "→ 128 2 1  Play"),
                          at(1042, "← +42 ms 4F 4B 0D 0A"), at(1500, "← +500 ms E4 B8 AD 21"),
                          at(2000, "→ 128 2 2  Stop"), at(2150, "← +150 ms 06")})
                 .join('\n'));
    clickButton(window, "radioButton_Data_Dec");
    QVERIFY(view->text().contains(at(1042, "← +42 ms 79 75 13 10\n")));
    clickButton(window, "radioButton_Data_ASCII");
    clickButton(window, "radioButton_Sent_Hex");
    QCOMPARE(view->text(), timeline);
    // Off, the plain view as it would have been; on again, the same timeline.
    clickButton(window, "checkBox_Timeline");
    QCOMPARE(view->text(), QString("earlyOK\r\n\u4E2D!\x06"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(view->text(), timeline);

    // A frame handed to the link, then the loss that kept it from leaving.
    device.terminal().closeMaster();
    now = start + 3000;
    clickButton(window, "pushButton_Play");
    QTRY_VERIFY(view->text().endsWith(at(3000, "→ 80 02 01  Play (Not sent)")));
    QVERIFY(view->text().startsWith(timeline + '\n' + at(3000, "→ 80 02 01  Play\n") +
                                    at(3000, "• Link lost: ")));
    QTRY_COMPARE(boxes.count(), 1);
    // Cleared, nothing comes back in the other view.
    clickButton(window, "pushButton_Clear");
    clickButton(window, "checkBox_Timeline");
    QCOMPARE(view->text(), QString());
}

// A sequence run from the Sequences menu on the simulator: each frame as its button sends it, in
// order, its pause kept (as the timeline's clock saw the frames leave); stopped where an answer
// does not come, by Stop, or by the link failing, with one message naming the step not sent.
void tst_EndToEnd::windowSequences_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("sequence");   // lines separated by "¶"
    QTest::addColumn<QString>("during");     // once the first frame is out: "stop", "gone"
    QTest::addColumn<QStringList>("frames"); // the commands that reached the simulator
    QTest::addColumn<QString>("outcome");    // the status line, or "box: " and what it says
    const QString steps = "Play¶wait 300 ms¶# the status¶player status¶expect PLAYING¶Stop";
    const QStringList all{"Play", "Player Status", "Stop"};
    for (const char *model : {"Showcaster - SC900 (Serial)", "Showcaster - SC900 (TCP/IP)"})
        QTest::addRow("%s", model) << model << steps << "" << all << "Sequence s.seq done";
    // A connection for each frame, closed by the player once it has answered.
    QTest::newRow("Tunebox (NX) (TCP/IP)")
        << "Tunebox (NX) (TCP/IP)" << steps << ""
        << QStringList{"cmd \"32\" \"255\" \"255\"", "get \"playerstatus\"",
                       "cmd \"34\" \"255\" \"255\""}
        << "Sequence s.seq done";
    const QString serial = "Showcaster - SC900 (Serial)";
    QTest::newRow("answer that does not come")
        << serial << "player status¶expect NEVER¶Stop"
        << "" << QStringList{"Player Status"}
        << "box: The sequence s.seq stopped at line 2: \"NEVER\" did not come within 300 ms";
    QTest::newRow("a line refused: nothing sent")
        << serial << "Play¶Jump"
        << "" << QStringList{}
        << "box: The sequence " + m_directory.filePath("s.seq") +
               " cannot be run; nothing was sent.\nline 2: \"Jump\" is not a command";
    QTest::newRow("Stop during a wait")
        << serial << "Play¶wait 500 ms¶Stop"
        << "stop" << QStringList{"Play"} << "The sequence s.seq stopped at line 2: stopped";
    QTest::newRow("link lost during a wait")
        << serial << "Play¶wait 500 ms¶Stop"
        << "gone" << QStringList{"Play"}
        << "box: The sequence s.seq stopped at line 3: Stop was not sent: the link failed";
}

void tst_EndToEnd::windowSequences()
{
    QFETCH(QString, model);
    QFETCH(QString, sequence);
    QFETCH(QString, during);
    QFETCH(QStringList, frames);
    QFETCH(QString, outcome);
    ModalBoxCatcher boxes;
    const PlayerModel entry = buildCatalogueModels().at(modelIndex(model));
    const auto simulator = std::make_unique<Simulator>(entry);
    const QString path = m_directory.filePath("s.seq");
    QVERIFY(writeFile(path, sequence.replace(u'¶', '\n').toUtf8()));
    ConsoleEnvironment environment =
        testEnvironment(entry.isTcp() ? simulator->address.toUShort() : 0);
    environment.chooseOpenPath = [path](auto &&...) {
        return path;
    };
    environment.answerTimeoutMs = 300;
    MainWindow window(std::move(environment));
    entry.isTcp() ? setAddress(window, {127, 0, 0, 2}) : choosePort(window, simulator->address);
    chooseModel(window, modelIndex(model));
    if (!entry.isOnDemand()) {
        clickButton(window, "pushButton_Connect");
        QTRY_COMPARE_WITH_TIMEOUT(linkOf(window).state(), DeviceLink::State::Open, patienceMs);
    }
    clickButton(window, "checkBox_Timeline");
    trigger(window, "action_Run_Sequence");
    QElapsedTimer sinceFirst;
    QVERIFY(frames.isEmpty() || simulator->find(frameLine, 0) >= 0);
    sinceFirst.start();
    auto *status = window.findChild<QStatusBar *>("statusBar");
    if (!during.isEmpty())
        QTRY_VERIFY(status->currentMessage().contains(", line 2: "));
    if (during == "stop")
        trigger(window, "action_Stop_Sequence");
    if (during == "gone") {
        simulator->process.kill();
        QVERIFY(simulator->process.waitForFinished());
    }
    if (outcome.startsWith("box: "))
        QTRY_VERIFY_WITH_TIMEOUT(boxes.text().contains(outcome.mid(5)), patienceMs);
    else
        QTRY_COMPARE_WITH_TIMEOUT(status->currentMessage(), outcome, patienceMs);
    // Past the end of any pause: what was left of the sequence stays unsent, and no other box
    // comes.
    QTRY_VERIFY(sinceFirst.elapsed() > 700);
    QCOMPARE(boxes.count(), outcome.startsWith("box: ") ? 1 : 0);
    QStringList reached;
    for (const QString &line : qAsConst(simulator->lines)) {
        if (line.contains(QRegularExpression(frameLine)))
            reached << line.section("  ", -1).remove('?');
    }
    QCOMPARE(reached.join('/').toLower(), frames.join('/').toLower());
    // Sent as pressed: the pause between the first two frames, as the timeline timed them.
    QStringList left;
    for (const QString &line :
         window.findChild<ReceivedDataView *>("textEdit_Data")->text().split('\n'))
        if (line.contains(" → "))
            left << line.left(12);
    if (frames.size() > 1)
        QVERIFY2(QTime::fromString(left.value(0), "HH:mm:ss.zzz")
                         .msecsTo(QTime::fromString(left.value(1), "HH:mm:ss.zzz")) >= 300,
                 qPrintable(left.join(' ')));
}

// What the user pressed, recorded with its pause rounded to a tenth of a second, runs again to
// the same frames in the same order.
void tst_EndToEnd::recordedSequenceRunsAgain()
{
    ModalBoxCatcher boxes;
    qint64 now = fixedClock().msecsSinceEpoch;
    const QString path = m_directory.filePath("recorded.seq");
    LinkedDevice device(modelIndex("Timetune"), [&](ConsoleEnvironment &environment) {
        environment.sessionClock = [&now] {
            return QDateTime::fromMSecsSinceEpoch(now);
        };
        environment.chooseSavePath = [path](auto &&...) {
            return path;
        };
        environment.chooseOpenPath = [path](auto &&...) {
            return path;
        };
    });
    MainWindow &window = device.window();
    QVERIFY(device.linked());
    trigger(window, "action_Record_Sequence");
    window.findChild<QComboBox *>("comboBox_Folder")->setCurrentIndex(130);
    clickButton(window, "pushButton_Folder");
    now += 1249;
    clickButton(window, "pushButton_Play");
    clickButton(window, "pushButton_Stop");
    trigger(window, "action_Stop_Recording_Sequence");
    QCOMPARE(fileContent(path), "model Timetune\nFolder 130\nwait 1200 ms\nPlay\nStop\n");
    const QByteArray pressed = device.received(9);
    trigger(window, "action_Run_Sequence");
    QCOMPARE(device.received(9, patienceMs), pressed);
    QTRY_COMPARE(window.findChild<QStatusBar *>("statusBar")->currentMessage(),
                 "Sequence recorded.seq done");
    QCOMPARE(boxes.count(), 0);
}

// Given a device, the simulator opens it at the rate asked for (neither the terminal's nor the
// serial port's default).
void tst_EndToEnd::simulatorOnGivenDevice()
{
    PseudoTerminal device;
    QProcess simulator;
    simulator.start(ZOXEN_DEVICE_SIM,
                    {"--device", device.slaveName(), "--baud", "19200", "Timetune"});
    QTRY_COMPARE_WITH_TIMEOUT(device.lineSettings().baudRate, 19200, 10000);
    simulator.kill();
    QVERIFY(simulator.waitForFinished());
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], recordUntilKilled) == 0)
        return recordChunksUntilKilled(argc, argv);
    if (argc > 3 && qstrcmp(argv[1], withFileLimits) == 0)
        return sendWithFileLimits(argv);
    QApplication application(argc, argv);
    tst_EndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_endtoend.moc"
