#include "app/version.h"
#include "config/configuration.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

// The console as a process: a signal that ends it leaves its settings saved, and no settings
// path, however damaged, keeps it from starting or makes it take a saved port for another.
class tst_Lifecycle : public QObject
{
    Q_OBJECT

private slots:
    void endsCleanly_data();
    void endsCleanly();
};

namespace {

enum class SettingsPath
{
    Missing,
    SavedAbsentPort,
    Fifo,
    Directory,
    HugeFile,
};

QByteArray settingsNaming(const QString &model, const QString &port)
{
    ConfigurationSettings settings;
    settings.model = model;
    settings.port = port;
    settings.autoConnection = true;
    return formatConfiguration(settings, QStringLiteral("Zoxen Console"),
                               QStringLiteral(ZOXEN_VERSION));
}

// Whether the process has put its handler on the signal yet (its caught-signals mask).
bool catches(qint64 pid, int signalNumber)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(SettingsPath)

void tst_Lifecycle::endsCleanly_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<SettingsPath>("path");
    // The device and port lines of the file left behind; no device when no file can be left
    // there, no port when the machine's own ports decide it.
    QTest::addColumn<QString>("savedModel");
    QTest::addColumn<QString>("savedPort");

    QTest::newRow("SIGTERM saves") << SIGTERM << SettingsPath::Missing << "Timetune"
                                   << "";
    QTest::newRow("SIGINT saves") << SIGINT << SettingsPath::Missing << "Timetune"
                                  << "";
    QTest::newRow("SIGHUP saves") << SIGHUP << SettingsPath::Missing << "Timetune"
                                  << "";
    QTest::newRow("absent saved port kept by name")
        << SIGTERM << SettingsPath::SavedAbsentPort << "Timetune"
        << "ttyZX9";
    QTest::newRow("FIFO: defaults") << SIGTERM << SettingsPath::Fifo << "Timetune"
                                    << "";
    QTest::newRow("directory: defaults, nothing saved") << SIGTERM << SettingsPath::Directory << ""
                                                        << "";
    QTest::newRow("100 MB file: damaged, defaults")
        << SIGTERM << SettingsPath::HugeFile << "Timetune"
        << "";
}

void tst_Lifecycle::endsCleanly()
{
    QFETCH(int, signalNumber);
    QFETCH(SettingsPath, path);
    QFETCH(QString, savedModel);
    QFETCH(QString, savedPort);

    QTemporaryDir dataHome;
    const QString directory = dataHome.filePath("Brevane Systems / Tessik/Zoxen Console");
    const QString file = directory + "/Zoxen Console.cfg";
    QVERIFY(QDir().mkpath(directory));
    QFile settings(file);
    switch (path) {
    case SettingsPath::Missing:
        break;
    case SettingsPath::SavedAbsentPort:
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(settingsNaming("Timetune", "ttyZX9"));
        settings.close();
        break;
    case SettingsPath::Fifo:
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        break;
    case SettingsPath::Directory:
        QVERIFY(QDir().mkpath(file));
        break;
    case SettingsPath::HugeFile:
        // A file that starts well: read whole, it would be taken for good settings.
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(settingsNaming("Tunebox (Serial)", "ttyZX9"));
        QVERIFY(settings.resize(100 * 1024 * 1024));
        settings.close();
        break;
    }

    QProcess console;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dataHome.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    console.setProcessEnvironment(environment);
    console.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    console.start(QStringLiteral(ZOXEN_CONSOLE), QStringList());
    QVERIFY(console.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catches(console.processId(), signalNumber), 10000);
    ::kill(pid_t(console.processId()), signalNumber);
    // It ends only once its window has run: a start blocked on the settings file never does.
    QVERIFY(console.waitForFinished(15000));
    QCOMPARE(console.exitStatus(), QProcess::NormalExit);
    QCOMPARE(console.exitCode(), 0);

    if (savedModel.isEmpty()) {
        QVERIFY(QFileInfo(file).isDir());
        return;
    }
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = settings.readAll().split('\n');
    QCOMPARE(lines.size(), 25);
    QCOMPARE(QString(lines.at(6)), savedModel);
    if (!savedPort.isEmpty())
        QCOMPARE(QString(lines.at(8)), savedPort);
}

QTEST_GUILESS_MAIN(tst_Lifecycle)
#include "tst_lifecycle.moc"
