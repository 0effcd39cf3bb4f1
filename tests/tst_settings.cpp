#include "app/mainwindow.h"
#include "app/version.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "testtable.h"
#include "windowdriver.h"

#include <QAction>
#include <QScopeGuard>
#include <QSerialPortInfo>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr quint16 videoPort = 65079;

QString configPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("Zoxen Console.cfg"));
}

// A file of these values, in the order of the file: language, model, port, baud rate, the four
// address bytes, auto-connection, player ID, sent bytes and received data modes.
QByteArray configText(const QStringList &values)
{
    QList<QByteArray> lines =
        fileContent(QStringLiteral(ZOXEN_TEST_DATA "/config/defaults.cfg")).split('\n');
    const int valueLines[] = {5, 7, 9, 11, 13, 14, 15, 16, 18, 20, 22, 24};
    for (int i = 0; i < 12 && lines.size() == 25; ++i)
        lines[valueLines[i] - 1] = values.value(i).toUtf8();
    return lines.join('\n');
}

bool writeConfig(const QByteArray &content)
{
    return QDir().mkpath(QFileInfo(configPath()).path()) && writeFile(configPath(), content);
}

// The machine's serial ports decide what the port list offers: "first" and "last" stand for
// them, "(default)" when it has none.
QStringList withPorts(QStringList values)
{
    QStringList ports;
    const auto available = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : available)
        ports << port.portName();
    if (values.value(2) == "first" || values.value(2) == "last")
        values[2] = ports.isEmpty()        ? "(default)"
                    : values[2] == "first" ? ports.first()
                                           : ports.last();
    return values;
}

bool linkOpen()
{
    return serialPort->isOpen() || tcpSocket->state() != QAbstractSocket::UnconnectedState;
}

} // namespace

// What the window shows is what it saves when it closes: each test reads the file back.
class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void firstStartCreatesDirectoryAndSavesDefaults();
    void savedAsApplied_data();
    void savedAsApplied();
    void bothLanguagesCheckedSavesFrench();
    void failedWriteKeepsPreviousFile();
    void autoConnectionConnectsBeforeShown();
    void modelsOpenNoLink_data();
    void modelsOpenNoLink();

private:
    QStringList savedNetworkModel(const QString &model, const QString &autoConnection) const
    {
        return QStringList{"English", model, "(default)", "(default)"}
               << m_deviceAddress.split('.') << QStringList{autoConnection, "0", "2", "1"};
    }

    QTemporaryDir m_dataHome;
    // A device on the video models' fixed port, on the first loopback address where it is free.
    RecordingServer m_device;
    QString m_deviceAddress;
};

void tst_Settings::initTestCase()
{
    setConsoleIdentity();
    QVERIFY(m_dataHome.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
    QVERIFY(configPath().startsWith(m_dataHome.path() + QLatin1Char('/')));

    // The window connects to the model's own port, which the test cannot move; another program
    // may hold it on 127.0.0.1, but hardly on these loopback addresses, whose second and third
    // bytes differ so that the address must reach the socket in its order.
    m_device.close();
    for (int host = 1; host < 10 && !m_device.isListening(); ++host) {
        m_deviceAddress = QStringLiteral("127.0.%1.2").arg(host);
        m_device.listen(QHostAddress(m_deviceAddress), videoPort);
    }
    QVERIFY2(m_device.isListening(), "port 65079 is taken on 127.0.1.2 to 127.0.9.2");
}

void tst_Settings::init()
{
    QDir(m_dataHome.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_dataHome.path()));
}

void tst_Settings::cleanup()
{
    tcpSocket->abort();
    serialPort->close();
    // A connection that the kernel has accepted is counted now, not during the next test.
    m_device.waitForNewConnection(0);
}

void tst_Settings::firstStartCreatesDirectoryAndSavesDefaults()
{
    // The organisation name holds a slash.
    const QString directory =
        m_dataHome.path() + QStringLiteral("/Brevane Systems / Tessik/Zoxen Console");
    QVERIFY(!QFileInfo::exists(directory));
    {
        MainWindow window;
        QVERIFY(QFileInfo(directory).isDir());
        QCOMPARE(window.windowTitle(), QString("Zoxen Console " ZOXEN_VERSION));
    }
    QCOMPARE(fileContent(directory + QStringLiteral("/Zoxen Console.cfg")),
             configText(withPorts({"(default)", "Timetune", "first", "19200", "0", "0", "0", "0",
                                   "0", "0", "2", "1"})));
}

void tst_Settings::savedAsApplied_data()
{
    QTest::addColumn<QByteArray>("given");
    QTest::addColumn<QStringList>("saved");
    const auto row = [](const char *name, const QStringList &given, const QStringList &saved) {
        QTest::newRow(name) << configText(withPorts(given)) << withPorts(saved);
    };
    const QStringList firstStart = {"(default)", "Timetune", "first", "19200", "0", "0",
                                    "0",         "0",        "0",     "0",     "2", "1"};

    const QStringList serial = {
        "French", "Showtune (rev2)", "last", "38400", "10", "20", "30", "40", "0", "5", "3", "2"};
    row("round trip/serial model, French, decimal, hexadecimal", serial, serial);
    const QStringList amplifier = {"English", "Boostbox 1", "first", "4800", "255", "0",
                                   "255",     "1",          "0",     "127",  "2",   "3"};
    row("round trip/amplifier, English, address bounds", amplifier, amplifier);
    const QStringList network = {"French", "Framebox - FB5xx (TCP/IP)",
                                 "first",  "(default)",
                                 "127",    "0",
                                 "0",      "1",
                                 "0",      "0",
                                 "3",      "2"};
    row("round trip/TCP/IP model has no baud rate", network, network);

    QTest::newRow("line 1 refused: nothing applied")
        << configText(serial).replace("ZOX11.00", "ZOX12.00") << withPorts(firstStart);
    // A port that is not plugged in keeps its name: it is not replaced by a listed one.
    row("unknown model: lists of model 0",
        {"English", "Tunebox 9000", "/dev/ttyUSB0", "38400", "10", "1", "2", "3", "0", "5", "3",
         "3"},
        {"English", "Timetune", "/dev/ttyUSB0", "38400", "10", "1", "2", "3", "0", "5", "3", "3"});
    row("model in another case: lists of model 0",
        {"English", "showtune (rev2)", "/dev/ttyUSB0", "9600", "0", "0", "0", "0", "0", "12", "2",
         "1"},
        {"English", "Timetune", "/dev/ttyUSB0", "9600", "0", "0", "0", "0", "0", "12", "2", "1"});
    row("baud rate not offered by the model",
        {"(default)", "Cardtune QX (legacy)", "/dev/ttyUSB0", "19200", "0", "0", "0", "0", "0",
         "127", "2", "1"},
        {"(default)", "Cardtune QX (legacy)", "/dev/ttyUSB0", "9600", "0", "0", "0", "0", "0",
         "127", "2", "1"});
    row("address bytes 300 and -1 left as they were",
        {"English", "Timetune", "first", "19200", "192", "300", "-1", "255", "0", "5", "2", "1"},
        {"English", "Timetune", "first", "19200", "192", "0", "0", "255", "0", "5", "2", "1"});
    row("display modes out of range left as they were",
        {"English", "Timetune", "first", "19200", "0", "0", "0", "0", "0", "0", "4", "0"},
        {"English", "Timetune", "first", "19200", "0", "0", "0", "0", "0", "0", "2", "1"});
}

void tst_Settings::savedAsApplied()
{
    QFETCH(QByteArray, given);
    QFETCH(QStringList, saved);

    QVERIFY(writeConfig(given));
    ModalBoxCatcher boxes;
    MainWindow().close();
    QCOMPARE(fileContent(configPath()), configText(saved));
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::bothLanguagesCheckedSavesFrench()
{
    {
        MainWindow window;
        for (const char *name : {"action_English", "action_French"})
            window.findChild<QAction *>(name)->setChecked(true);
    }
    QVERIFY(fileContent(configPath()).contains("\nFrench\n"));
}

void tst_Settings::failedWriteKeepsPreviousFile()
{
    const QByteArray previous = configText(withPorts(
        {"French", "Timetune", "first", "38400", "10", "0", "0", "5", "0", "127", "2", "1"}));
    QVERIFY(writeConfig(previous));
    const auto englishChosen = [] {
        auto window = std::make_unique<MainWindow>();
        window->findChild<QAction *>("action_English")->trigger();
        return window;
    };

    auto window = englishChosen();
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
    QCOMPARE(fileContent(configPath()), previous);
    QCOMPARE(QDir(QFileInfo(configPath()).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Zoxen Console.cfg")});

    // The same exit without the limit does replace it.
    window = englishChosen();
    window.reset();
    QVERIFY(fileContent(configPath()).contains("\nEnglish\n"));
}

void tst_Settings::autoConnectionConnectsBeforeShown()
{
    QVERIFY(writeConfig(configText(savedNetworkModel("Showcaster - SC900 (TCP/IP)", "7"))));
    const int connections = m_device.connections();
    ModalBoxCatcher boxes;
    MainWindow window;
    QVERIFY(!window.isVisible());
    QVERIFY(linkOpen());
    QCOMPARE(tcpSocket->peerName(), m_deviceAddress);

    QTRY_COMPARE(m_device.connections(), connections + 1);
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);
    QCOMPARE(tcpSocket->peerPort(), videoPort);
    QVERIFY(window.findChild<QWidget *>("frame_Playback_Command")->isEnabled());
    QVERIFY(m_device.received().isEmpty());
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::modelsOpenNoLink_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("autoConnection");

    QTest::newRow("serial model") << "Timetune"
                                  << "0";
    QTest::newRow("TCP/IP model") << "Framebox - FB5xx (TCP/IP)"
                                  << "0";
    // Its box is hidden, but a saved check must not connect it: its commands connect themselves.
    QTest::newRow("on-demand model, auto-connection saved") << "Tunebox (NX) (TCP/IP)"
                                                            << "1";
}

// Restoring a model at start-up, or choosing it afterwards, opens nothing: a link opened or
// a connection begun shows at once in the port's or the socket's state.
void tst_Settings::modelsOpenNoLink()
{
    QFETCH(QString, model);
    QFETCH(QString, autoConnection);

    QVERIFY(writeConfig(configText(savedNetworkModel(model, autoConnection))));
    ModalBoxCatcher boxes;
    MainWindow window;
    auto *players = window.findChild<QComboBox *>("comboBox_Player");
    QCOMPARE(players->currentText(), model);
    QVERIFY(!linkOpen());
    chooseModel(window, players->currentIndex());
    QVERIFY(!linkOpen());
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
