#include "app/version.h"
#include "config/configuration.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "testtable.h"
#include "windowdriver.h"

#include <QAction>
#include <QCheckBox>
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

// The port given by default is one that is not plugged in: it keeps its name.
QByteArray settingsFile(ConfiguredLanguage language, const QString &model, bool autoConnection,
                        const QString &port = QStringLiteral("/dev/ttyZX9"))
{
    const bool tcp = model.contains("TCP/IP");
    ConfigurationSettings settings;
    settings.language = language;
    settings.model = model;
    settings.port = port;
    settings.baudRate = tcp ? std::nullopt : std::optional<QString>("38400");
    settings.address = {127, 0, 0, 1};
    settings.autoConnection = autoConnection;
    settings.playerId = tcp ? "0" : "5";
    settings.sentBytes = SentBytesDisplay::Decimal;
    settings.receivedData = ReceivedDataDisplay::Hexadecimal;
    return formatConfiguration(settings, "Zoxen Console", ZOXEN_VERSION);
}

// Whether the process has put its handler on the signal yet, or ignores it (its caught- and
// ignored-signals masks).
bool catches(qint64 pid, int signalNumber)
{
    const QByteArray status = fileContent(QStringLiteral("/proc/%1/status").arg(pid));
    quint64 masks = 0;
    for (const char *field : {"SigCgt:", "SigIgn:"})
        masks |= status.mid(status.indexOf(field) + 7, 17).trimmed().toULongLong(nullptr, 16);
    return (masks >> (signalNumber - 1)) & 1;
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
        // The console started by the tests inherits it too.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
        // The organisation name holds a slash.
        m_file = m_dataHome.filePath("Brevane Systems / Tessik/Zoxen Console/Zoxen Console.cfg");
    }
    void init()
    {
        QDir(m_dataHome.path()).removeRecursively();
        QVERIFY(QDir().mkpath(QFileInfo(m_file).path()));
    }
    void roundTrip_data();
    void roundTrip();
    void failedSaveKeepsPreviousFile();
    void consoleProcess_data();
    void consoleProcess();

private:
    QTemporaryDir m_dataHome;
    QString m_file;
    PseudoTerminal m_device;
};

void tst_Settings::roundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("opened"); // the saved serial port, as the window starts
    QTest::addColumn<bool>("timeline");
    QTest::newRow("serial model, absent port, auto-connection, French, timeline")
        << settingsFile(ConfiguredLanguage::French, "Showtune (rev2)", true) << false << true;
    // Its box is hidden, but a saved check must not connect it: its commands connect themselves.
    QTest::newRow("on-demand model, auto-connection saved")
        << settingsFile(ConfiguredLanguage::English, "Tunebox (NX) (TCP/IP)", true) << false
        << false;
    QTest::newRow("serial model, present port, auto-connection, timeline")
        << settingsFile(ConfiguredLanguage::English, "Timetune", true, m_device.slaveName()) << true
        << true;
}

// A link opened or a connection begun shows at once in the port's or the socket's state.
void tst_Settings::roundTrip()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, opened);
    QFETCH(bool, timeline);
    QVERIFY(writeFile(m_file, file));
    // Beside the settings file, which stays as other versions read it.
    const QString preferences = QFileInfo(m_file).dir().filePath("Zoxen Console.preferences");
    const QByteArray preferencesFile =
        timeline ? "timeline=on\nsequence=/srv/lobby 2.seq\nsequence=/srv/lobby.seq\n"
                 : "timeline=off\n";
    QVERIFY(writeFile(preferences, preferencesFile));
    ModalBoxCatcher boxes;
    {
        MainWindow window;
        const DeviceLink &link = linkOf(window);
        QCOMPARE(link.state(), opened ? DeviceLink::State::Open : DeviceLink::State::Closed);
        QVERIFY(!opened || link.description().endsWith(" at 38400 bit/s"));
        QCOMPARE(window.findChild<QCheckBox *>("checkBox_Timeline")->isChecked(), timeline);
    }
    QCOMPARE(fileContent(m_file), file);
    QCOMPARE(fileContent(preferences), preferencesFile);
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::failedSaveKeepsPreviousFile()
{
    const QByteArray previous = settingsFile(ConfiguredLanguage::French, "Timetune", false);
    QVERIFY(writeFile(m_file, previous));
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
    QCOMPARE(fileContent(m_file), previous);
    QCOMPARE(QFileInfo(m_file).dir().entryList(QDir::Files | QDir::Hidden),
             QStringList({"Zoxen Console.cfg", "Zoxen Console.preferences"}));
}

void tst_Settings::consoleProcess_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<QString>("given"); // "file", "FIFO", "directory", "100 MB" or none
    // The model line and what follows it in the file left behind; none for a directory.
    QTest::addColumn<QString>("saved");
    const auto row = [](const char *name, int signalNumber, const char *given, const char *saved) {
        QTest::newRow(name) << signalNumber << given << saved;
    };
    for (const auto &[name, signalNumber] :
         {std::pair("SIGTERM saves", SIGTERM), {"SIGINT saves", SIGINT}, {"SIGHUP saves", SIGHUP}})
        row(name, signalNumber, "", "Timetune");
    row("absent saved port kept by name", SIGTERM, "file",
        "Timetune\n*** Default Serial Port:\n/dev/ttyZX9\n");
    row("FIFO: defaults", SIGTERM, "FIFO", "Timetune");
    row("directory: defaults, nothing saved", SIGTERM, "directory", "");
    // A file that starts well: read whole, it would be taken for good settings.
    row("100 MB file: damaged, defaults", SIGTERM, "100 MB", "Timetune");
}

void tst_Settings::consoleProcess()
{
    QFETCH(int, signalNumber);
    QFETCH(QString, given);
    QFETCH(QString, saved);
    if (given == "file" || given == "100 MB") {
        const bool huge = given == "100 MB";
        QVERIFY(writeFile(m_file, settingsFile(ConfiguredLanguage::English,
                                               huge ? "Tunebox (Serial)" : "Timetune", true)));
        QVERIFY(!huge || QFile::resize(m_file, 100 * 1024 * 1024));
    } else if (given == "FIFO") {
        QCOMPARE(mkfifo(QFile::encodeName(m_file).constData(), 0600), 0);
    } else if (given == "directory") {
        QVERIFY(QDir().mkpath(m_file));
    }
    QProcess console;
    console.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    console.start(ZOXEN_CONSOLE, QStringList());
    QVERIFY(console.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        catches(console.processId(), signalNumber) && catches(console.processId(), SIGPIPE), 10000);
    // A reader gone from a pipe that it writes to never ends it: the SIGPIPE first is survived.
    ::kill(pid_t(console.processId()), SIGPIPE);
    ::kill(pid_t(console.processId()), signalNumber);
    // It ends only once its window has run: a start blocked on the settings file never does.
    QVERIFY(console.waitForFinished(15000));
    QCOMPARE(console.exitStatus(), QProcess::NormalExit);
    QCOMPARE(console.exitCode(), 0);
    QCOMPARE(QFileInfo(m_file).isFile(), !saved.isEmpty());
    if (!saved.isEmpty())
        QVERIFY(fileContent(m_file).contains("*** Default Device:\n" + saved.toUtf8()));
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
