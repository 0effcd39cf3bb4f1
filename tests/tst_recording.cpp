#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "receive/receivedview.h"
#include "recording/recordingseams.h"
#include "recording/sessionlines.h"
#include "recording/sessionrecorder.h"
#include "windowdriver.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

namespace {

const int patienceMs = 60000;
const char recordUntilKilled[] = "--record-until-killed";

// The instant every line of the window tests carries.
QDateTime fixedTime()
{
    return QDateTime(QDate(2027, 1, 15), QTime(9, 0, 0, 250), Qt::OffsetFromUTC, 3600);
}
const QString fixedTimeText = QStringLiteral("2027-01-15 09:00:00.250+01:00");

QString chosenPath;
QString choosePath(QWidget *, const QString &, const QString &)
{
    return chosenPath;
}

void trigger(MainWindow &window, const char *action)
{
    window.findChild<QAction *>(QString::fromLatin1(action))->trigger();
}

QStringList fileLines(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// zoxen-device-sim for one model, on a pseudo-terminal or a free loopback port.
class Simulator
{
public:
    explicit Simulator(const PlayerModel &model)
    {
        QStringList arguments{model.name};
        if (model.isTcp()) {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost, 0);
            m_port = probe.serverPort();
            arguments.prepend(QString::number(m_port));
            arguments.prepend(QStringLiteral("--port"));
        }
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] {
            while (m_process.canReadLine())
                m_lines << QString::fromUtf8(m_process.readLine()).chopped(1);
        });
        m_process.start(QStringLiteral(ZOXEN_DEVICE_SIM), arguments);
    }
    ~Simulator()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    // The serial port it opened, or its TCP port.
    QString address()
    {
        if (!QTest::qWaitFor([this] { return !m_lines.isEmpty(); }, patienceMs))
            return QString();
        return m_port ? QString::number(m_port) : m_lines.value(0).section(": ", 1);
    }
    // Waits for the next line starting with `prefix` and returns it.
    QString next(const QString &prefix)
    {
        QString found;
        (void)QTest::qWaitFor(
            [&] {
                for (; m_seen < m_lines.size() && found.isEmpty(); ++m_seen) {
                    if (m_lines.at(m_seen).startsWith(prefix))
                        found = m_lines.at(m_seen);
                }
                return !found.isEmpty();
            },
            patienceMs);
        return found;
    }

private:
    QProcess m_process;
    QStringList m_lines;
    quint16 m_port = 0;
    int m_seen = 0;
};

// The child of killedWhileRecording: numbered chunks at ten times a 115200 bit/s line, each
// number printed once it is handed to the recorder.
int recordChunksUntilKilled(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    SessionRecorder recorder;
    if (!recorder.start(QString::fromLocal8Bit(argv[2]), nullptr))
        return 1;
    int number = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QByteArray chunk = QByteArray::number(number) + ' ';
        chunk += QByteArray(1152 - chunk.size(), '\x7E');
        recorder.record(SessionLine::received(QDateTime::currentDateTime(), chunk));
        std::printf("%d\n", number++);
        std::fflush(stdout);
    });
    timer.start(10);
    return application.exec();
}

} // namespace

class tst_Recording : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void lineFormat_data();
    void lineFormat();
    void exchange_data();
    void exchange();
    void writeFailureStopsRecording();
    void killedWhileRecording();
    void saveReceivedData();

private:
    QTemporaryDir m_directory;
};

void tst_Recording::initTestCase()
{
    setConsoleIdentity();
    setSavePathChooser(choosePath);
    setSessionClock(fixedTime);
    QVERIFY(m_directory.isValid());
}

// The links are the process's own: each test starts without one.
void tst_Recording::cleanup()
{
    serialPort->close();
    tcpSocket->abort();
}

void tst_Recording::lineFormat_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("expected");

    const QDateTime winter(QDate(2027, 1, 15), QTime(9, 5, 7, 8), Qt::OffsetFromUTC, -12600);
    QTest::newRow("received, escaped")
        << SessionLine::received(winter, QByteArray("A\\\r\n\t\0\x7F\xC3\xA9", 9))
        << QByteArray("2027-01-15 09:05:07.008-03:30\treceived\t"
                      "41 5C 0D 0A 09 00 7F C3 A9\tA\\\\\\r\\n\\t\\0\\x7F\\xC3\\xA9\n");
    QTest::newRow("not sent, name kept on one line")
        << SessionLine::notSent(winter, "\x80\x11\x02", QStringLiteral("Folder\t130\n"))
        << QByteArray("2027-01-15 09:05:07.008-03:30\tnot sent\t80 11 02\tFolder 130\n");
    QTest::newRow("link event on one line")
        << SessionLine::event(winter, "link", QStringLiteral("error: An error!\nRefused"))
        << QByteArray("2027-01-15 09:05:07.008-03:30\tlink\terror: An error! Refused\n");
}

void tst_Recording::lineFormat()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, expected);
    QCOMPARE(line, expected);
}

void tst_Recording::exchange_data()
{
    QTest::addColumn<QString>("model");
    QTest::newRow("serial") << "Showcaster - SC900 (Serial)";
    QTest::newRow("TCP/IP") << "Showcaster - SC900 (TCP/IP)";
}

// Through the real window and the real simulator: both directions, the link's ends, a model
// chosen, in order.
void tst_Recording::exchange()
{
    QFETCH(QString, model);
    ModalBoxCatcher boxes;
    MainWindow window;
    const int index = modelIndex(model);
    const PlayerModel entry = PlayerCatalogue.at(index);
    Simulator simulator(entry);
    const QString address = simulator.address();
    if (entry.isTcp())
        pointAtLoopback(window, index, address.toUShort());
    else
        choosePort(window, address);
    chooseModel(window, index);
    clickButton(window, "pushButton_Connect");
    QTRY_VERIFY_WITH_TIMEOUT(
        serialPort->isOpen() || tcpSocket->state() == QAbstractSocket::ConnectedState, patienceMs);
    const QString link =
        entry.isTcp()
            ? "127.0.0.1 port " + address
            : QStringLiteral("serial port %1 at %2 bit/s").arg(address).arg(serialPort->baudRate());

    chosenPath = m_directory.filePath(model.section(' ', -1).remove('/') + ".log");
    trigger(window, "action_Record_Session");
    auto *sent = window.findChild<QLabel *>("label_Bytes_Sended");
    clickButton(window, "pushButton_Play");
    const QString play = sent->text();
    QVERIFY(!simulator.next(play).isEmpty());
    QVERIFY(chooseEntry(window, "comboBox_Request", "Player Status"));
    clickButton(window, "pushButton_Request");
    const QString request = sent->text();
    const QString reply = simulator.next("<- ").mid(3);
    QVERIFY(!reply.isEmpty());
    QByteArray replyBytes = reply.toUtf8();
    replyBytes.replace("\\r", "\r").replace("\\n", "\n");
    const auto *view = window.findChild<ReceivedDataView *>("textEdit_Data");
    QTRY_COMPARE_WITH_TIMEOUT(view->text().toUtf8(), replyBytes, patienceMs);
    clickButton(window, "pushButton_Disconnect");
    chooseModel(window, modelIndex("Timetune"));
    trigger(window, "action_Stop_Recording");

    const QString t = fixedTimeText + '\t';
    const QStringList expected{
        t + "recording\tstarted",
        t + "model\t" + model,
        t + "link\tconnected to " + link,
        t + "sent\t" + play + "\tPlay",
        t + "sent\t" + request + "\tPlayer Status",
        t + "received\t" + SessionLine::hexBytes(replyBytes) + '\t' + reply,
        t + "link\tdisconnected from " + link,
        t + "model\tTimetune",
        t + "recording\tstopped",
    };
    QCOMPARE(fileLines(chosenPath), expected);
    QCOMPARE(boxes.count(), 0);
}

// A file-size limit makes the next write fail: one box, the recording stops, the console goes on.
void tst_Recording::writeFailureStopsRecording()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    LinkedDevice device(window, modelIndex("Showcaster - SC900 (Serial)"));
    QVERIFY(device.linked());
    chosenPath = m_directory.filePath("limited.log");
    trigger(window, "action_Record_Session");
    auto *record = window.findChild<QAction *>("action_Record_Session");
    QVERIFY(!record->isEnabled());

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &limited);
    device.terminal().write(QByteArray(2000, 'x'));
    QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 1, patienceMs);
    setrlimit(RLIMIT_FSIZE, &previous);
    QCOMPARE(boxes.title(), QStringLiteral("Recording error"));
    QVERIFY2(boxes.text().contains("File too large"), qPrintable(boxes.text()));
    QVERIFY(record->isEnabled());

    const auto *view = window.findChild<ReceivedDataView *>("textEdit_Data");
    device.terminal().write("later\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(view->text().endsWith("later\r\n"), patienceMs);
    QCOMPARE(boxes.count(), 1);
    QVERIFY(QFileInfo(chosenPath).size() <= 1024);
}

// Killed without warning while recording at ten times the line rate: every chunk handed over
// more than a second before the kill is in the file, in order.
void tst_Recording::killedWhileRecording()
{
    const QString path = m_directory.filePath("killed.log");
    QProcess child;
    QElapsedTimer clock;
    QVector<QPair<qint64, int>> handedOver;
    QByteArray output;
    connect(&child, &QProcess::readyReadStandardOutput, [&] {
        output += child.readAllStandardOutput();
        while (output.contains('\n')) {
            const int end = output.indexOf('\n');
            handedOver.append({clock.elapsed(), output.left(end).toInt()});
            output.remove(0, end + 1);
        }
    });
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {recordUntilKilled, path});
    QTRY_VERIFY_WITH_TIMEOUT(clock.elapsed() > 3000 && handedOver.size() > 100, patienceMs);
    child.kill();
    const qint64 killedAt = clock.elapsed();
    QVERIFY(child.waitForFinished());

    int due = -1;
    for (const auto &[when, number] : qAsConst(handedOver)) {
        if (when <= killedAt - 1000)
            due = number;
    }
    QVERIFY(due > 0);
    const QStringList lines = fileLines(path);
    QVERIFY2(lines.size() > due, qPrintable(QString("%1 of %2").arg(lines.size()).arg(due)));
    for (int number = 0; number <= due; ++number)
        QCOMPARE(lines.at(number).section('\t', 3).section(' ', 0, 0), QString::number(number));
}

// The whole store, byte for byte, also once the cap has dropped the oldest text.
void tst_Recording::saveReceivedData()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    LinkedDevice device(window, modelIndex("Showcaster - SC900 (Serial)"));
    QVERIFY(device.linked());
    auto *view = window.findChild<ReceivedDataView *>("textEdit_Data");
    view->setStoreLimit(1024);
    const QByteArray line = QByteArray(" caf\xC3\xA9 \0 line\r\n", 15);
    for (int batch = 0; batch < 30; ++batch) {
        QByteArray lines;
        for (int i = 0; i < 20; ++i)
            lines += QByteArray::number(batch * 20 + i) + line;
        QVERIFY(device.terminal().write(lines));
        // The QByteArray overload of fromUtf8 would stop at the zero byte.
        const QByteArray lastLine = QByteArray::number(batch * 20 + 19) + line;
        const QString last = QString::fromUtf8(lastLine.constData(), lastLine.size());
        QTRY_VERIFY_WITH_TIMEOUT(view->text().endsWith(last), patienceMs);
    }
    QVERIFY(view->text().size() < 600 * line.size());

    chosenPath = m_directory.filePath("received.txt");
    trigger(window, "action_Save_Received_Data");
    QFile saved(chosenPath);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), view->text().toUtf8());
    QCOMPARE(boxes.count(), 0);
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], recordUntilKilled) == 0)
        return recordChunksUntilKilled(argc, argv);
    QApplication application(argc, argv);
    tst_Recording test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recording.moc"
