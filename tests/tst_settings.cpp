#include "app/mainwindow.h"
#include "app/version.h"
#include "config/configuration.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "windowdriver.h"

#include <QAction>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

// What the window shows is what it saves when it closes, in the window and in the console
// ended by a signal; no settings path, however damaged, keeps the console from starting.
namespace {

// The organisation name holds a slash.
QString configPath(const QString &dataHome)
{
    return dataHome + "/Brevane Systems / Tessik/Zoxen Console/Zoxen Console.cfg";
}

QByteArray settingsFile(ConfiguredLanguage language, const QString &model, bool autoConnection)
{
    const bool tcp = model.contains("TCP/IP");
    ConfigurationSettings settings;
    settings.language = language;
    settings.model = model;
    settings.port = "/dev/ttyZX9"; // a port that is not plugged in keeps its name
    settings.baudRate = tcp ? std::nullopt : std::optional<QString>("38400");
    settings.address = {127, 0, 0, 1};
    settings.autoConnection = autoConnection;
    settings.playerId = tcp ? "0" : "5";
    settings.sentBytes = SentBytesDisplay::Decimal;
    settings.receivedData = ReceivedDataDisplay::Hexadecimal;
    return formatConfiguration(settings, "Zoxen Console", ZOXEN_VERSION);
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether the process has put its handler on the signal yet (its caught-signals mask).
bool catches(qint64 pid, int signalNumber)
{
    const QByteArray status = readFile(QStringLiteral("/proc/%1/status").arg(pid));
    const QByteArray mask = status.mid(status.indexOf("SigCgt:") + 7, 17).trimmed();
    return (mask.toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
}

} // namespace

class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setConsoleIdentity();
        QVERIFY(m_dataHome.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
    }
    void init() { QDir(m_dataHome.path()).removeRecursively(); }
    void cleanup()
    {
        tcpSocket->abort();
        serialPort->close();
    }
    void roundTrip_data();
    void roundTrip();
    void failedSaveKeepsPreviousFile();
    void consoleProcess_data();
    void consoleProcess();

private:
    QTemporaryDir m_dataHome;
};

void tst_Settings::roundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("serial model, absent port, auto-connection, French")
        << settingsFile(ConfiguredLanguage::French, "Showtune (rev2)", true);
    // Its box is hidden, but a saved check must not connect it: its commands connect themselves.
    QTest::newRow("on-demand model, auto-connection saved")
        << settingsFile(ConfiguredLanguage::English, "Tunebox (NX) (TCP/IP)", true);
}

// A link opened or a connection begun shows at once in the port's or the socket's state.
void tst_Settings::roundTrip()
{
    QFETCH(QByteArray, file);
    QVERIFY(writeFile(configPath(m_dataHome.path()), file));
    ModalBoxCatcher boxes;
    {
        MainWindow window;
        QVERIFY(!serialPort->isOpen());
        QCOMPARE(tcpSocket->state(), QAbstractSocket::UnconnectedState);
    }
    QCOMPARE(readFile(configPath(m_dataHome.path())), file);
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::failedSaveKeepsPreviousFile()
{
    const QString path = configPath(m_dataHome.path());
    const QByteArray previous = settingsFile(ConfiguredLanguage::French, "Timetune", false);
    QVERIFY(writeFile(path, previous));
    auto window = std::make_unique<MainWindow>();
    window->findChild<QAction *>("action_English")->trigger();
    {
        // The kernel refuses to grow any file past the limit, root included; the signal it
        // sends would end the test instead of failing the write.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
        rlimit limited = original;
        limited.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const auto restore = qScopeGuard([&original] { setrlimit(RLIMIT_FSIZE, &original); });
        window.reset();
    }
    QCOMPARE(readFile(path), previous);
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"Zoxen Console.cfg"});
    // The same exit without the limit does replace it.
    window = std::make_unique<MainWindow>();
    window->findChild<QAction *>("action_English")->trigger();
    window.reset();
    QVERIFY(readFile(path).contains("\nEnglish\n"));
}

void tst_Settings::consoleProcess_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<QString>("given"); // "file", "FIFO", "directory", "100 MB" or none
    // The model and port lines left behind; none when no file can be left there.
    QTest::addColumn<QStringList>("saved");
    const QStringList defaults{"Timetune"};
    QTest::newRow("SIGTERM saves") << SIGTERM << "" << defaults;
    QTest::newRow("SIGINT saves") << SIGINT << "" << defaults;
    QTest::newRow("SIGHUP saves") << SIGHUP << "" << defaults;
    QTest::newRow("absent saved port kept by name")
        << SIGTERM << "file" << QStringList{"Timetune", "/dev/ttyZX9"};
    QTest::newRow("FIFO: defaults") << SIGTERM << "FIFO" << defaults;
    QTest::newRow("directory: defaults, nothing saved") << SIGTERM << "directory" << QStringList();
    // A file that starts well: read whole, it would be taken for good settings.
    QTest::newRow("100 MB file: damaged, defaults") << SIGTERM << "100 MB" << defaults;
}

void tst_Settings::consoleProcess()
{
    QFETCH(int, signalNumber);
    QFETCH(QString, given);
    QFETCH(QStringList, saved);
    QTemporaryDir dataHome;
    const QString file = configPath(dataHome.path());
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    if (given == "file" || given == "100 MB") {
        const bool huge = given == "100 MB";
        QVERIFY(writeFile(file, settingsFile(ConfiguredLanguage::English,
                                             huge ? "Tunebox (Serial)" : "Timetune", true)));
        QVERIFY(!huge || QFile::resize(file, 100 * 1024 * 1024));
    } else if (given == "FIFO") {
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else if (given == "directory") {
        QVERIFY(QDir().mkpath(file));
    }

    QProcess console;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dataHome.path());
    console.setProcessEnvironment(environment);
    console.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    console.start(ZOXEN_CONSOLE, QStringList());
    QVERIFY(console.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catches(console.processId(), signalNumber), 10000);
    ::kill(pid_t(console.processId()), signalNumber);
    // It ends only once its window has run: a start blocked on the settings file never does.
    QVERIFY(console.waitForFinished(15000));
    QCOMPARE(console.exitStatus(), QProcess::NormalExit);
    QCOMPARE(console.exitCode(), 0);
    if (saved.isEmpty()) {
        QVERIFY(QFileInfo(file).isDir());
        return;
    }
    const QList<QByteArray> lines = readFile(file).split('\n');
    QCOMPARE(lines.size(), 25);
    QCOMPARE(QString(lines.at(6)), saved.first());
    if (saved.size() > 1)
        QCOMPARE(QString(lines.at(8)), saved.at(1));
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
