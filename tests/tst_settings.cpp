#include "app/mainwindow.h"
#include "catalogue/playercatalogue.h"
#include "connection/links.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "recordingserver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

// What the configuration file covers, as the window shows it.
struct WindowState
{
    QStringList languages; // the checked language actions
    QString model;
    QString port;
    QString baudRate; // "" when the list has no current entry
    QList<int> address;
    bool autoConnection = false;
    QString playerId;
    QString sentBytes;
    QString receivedData;
    // Whether the window had opened or started a link when its constructor returned.
    bool linkStarted = false;

    bool operator==(const WindowState &other) const
    {
        return languages == other.languages && model == other.model && port == other.port &&
               baudRate == other.baudRate && address == other.address &&
               autoConnection == other.autoConnection && playerId == other.playerId &&
               sentBytes == other.sentBytes && receivedData == other.receivedData &&
               linkStarted == other.linkStarted;
    }
};

char *toString(const WindowState &state)
{
    const QString text =
        QStringLiteral("languages %1, model \"%2\", port \"%3\", baud \"%4\", address %5.%6.%7.%8, "
                       "auto %9, id \"%10\", sent %11, received %12, link started %13")
            .arg(state.languages.join(QLatin1Char('+')), state.model, state.port, state.baudRate)
            .arg(state.address.value(0))
            .arg(state.address.value(1))
            .arg(state.address.value(2))
            .arg(state.address.value(3))
            .arg(state.autoConnection)
            .arg(state.playerId, state.sentBytes, state.receivedData)
            .arg(state.linkStarted);
    return qstrdup(text.toUtf8().constData());
}

const QString videoModel = QStringLiteral("Showcaster - SC900 (TCP/IP)");
constexpr quint16 videoPort = 65079;
constexpr quint16 tuneboxPort = 1234;

QString dataFile(const QString &name)
{
    return QStringLiteral(ZOXEN_TEST_DATA "/config/") + name;
}

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The data directory that the window computes, one level deeper than its words suggest.
QString dataDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString configPath()
{
    return QDir(dataDirectory()).filePath(QStringLiteral("Zoxen Console.cfg"));
}

// The 24 lines of a file holding these 12 values, in the order of the file.
QByteArray configText(const QStringList &values)
{
    const QStringList headings = {
        QStringLiteral("ZOX11.00"),
        QStringLiteral("Zoxen Console (Configuration File)"),
        QStringLiteral("Generate by: Zoxen Console 1.2.7.0"),
        QStringLiteral("*** Default Language:"),
        QStringLiteral("*** Default Device:"),
        QStringLiteral("*** Default Serial Port:"),
        QStringLiteral("*** Default Baudrate:"),
        QStringLiteral("*** Default IP Address:"),
        QStringLiteral("*** Default Auto-connection:"),
        QStringLiteral("*** Default Player ID:"),
        QStringLiteral("*** Default Command Bytes Sent Setting:"),
        QStringLiteral("*** Default Data Received Setting:"),
    };
    Q_ASSERT(values.size() == 12);
    QStringList lines = headings.mid(0, 4);
    lines << values.at(0) << headings.at(4) << values.at(1) << headings.at(5) << values.at(2)
          << headings.at(6) << values.at(3) << headings.at(7) << values.mid(4, 4) << headings.at(8)
          << values.at(8) << headings.at(9) << values.at(9) << headings.at(10) << values.at(10)
          << headings.at(11) << values.at(11);
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QStringList portNames()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        names << port.portName();
    return names;
}

// The machine's serial ports decide what the port list offers; the files name none of them.
QString firstPort()
{
    return portNames().value(0);
}

QString lastPort()
{
    return portNames().isEmpty() ? QString() : portNames().last();
}

QString savedPort(const QString &port)
{
    return port.isEmpty() ? QStringLiteral("(default)") : port;
}

WindowState firstStart()
{
    WindowState state;
    state.languages = QStringList{QStringLiteral("action_Default")};
    state.model = QStringLiteral("Timetune");
    state.port = firstPort();
    state.baudRate = QStringLiteral("19200");
    state.address = {0, 0, 0, 0};
    state.playerId = QStringLiteral("0");
    state.sentBytes = QStringLiteral("Hex");
    state.receivedData = QStringLiteral("ASCII");
    return state;
}

template<typename Change> WindowState firstStartWith(Change change)
{
    WindowState state = firstStart();
    change(state);
    return state;
}

template<typename T> T *child(const QWidget &window, const QString &name)
{
    T *object = window.findChild<T *>(name);
    Q_ASSERT(object);
    return object;
}

QSpinBox *addressBox(const QWidget &window, int index)
{
    return child<QSpinBox>(window, QStringLiteral("spinBox_IP_%1").arg(index + 1));
}

WindowState stateOf(const MainWindow &window)
{
    WindowState state;
    for (const char *name : {"action_Default", "action_English", "action_French"}) {
        if (child<QAction>(window, QLatin1String(name))->isChecked())
            state.languages << QLatin1String(name);
    }
    const auto entry = [&window](const char *name) {
        const auto *list = child<QComboBox>(window, QLatin1String(name));
        return list->currentIndex() < 0 ? QString() : list->currentText();
    };
    state.model = entry("comboBox_Player");
    state.port = entry("comboBox_Port");
    state.baudRate = entry("comboBox_Baudrate");
    for (int index = 0; index < 4; ++index)
        state.address << addressBox(window, index)->value();
    state.autoConnection = child<QCheckBox>(window, "checkBox_Auto_connection")->isChecked();
    state.playerId = entry("comboBox_ID");
    for (const char *mode : {"Hex", "Dec"}) {
        if (child<QRadioButton>(window, QStringLiteral("radioButton_Sent_%1").arg(mode))
                ->isChecked())
            state.sentBytes = QLatin1String(mode);
    }
    for (const char *mode : {"ASCII", "Hex", "Dec"}) {
        if (child<QRadioButton>(window, QStringLiteral("radioButton_Data_%1").arg(mode))
                ->isChecked())
            state.receivedData = QLatin1String(mode);
    }
    state.linkStarted =
        serialPort->isOpen() || tcpSocket->state() != QAbstractSocket::UnconnectedState;
    return state;
}

void selectEntry(const QWidget &window, const char *name, const QString &text)
{
    auto *list = child<QComboBox>(window, QLatin1String(name));
    list->setCurrentIndex(list->findText(text));
}

// Sets the widgets, as far as possible as a user would.
void choose(MainWindow &window, const WindowState &state)
{
    for (const char *name : {"action_Default", "action_English", "action_French"})
        child<QAction>(window, QLatin1String(name))->setChecked(false);
    if (state.languages.size() == 1) {
        child<QAction>(window, state.languages.first())->trigger();
    } else {
        for (const QString &name : state.languages)
            child<QAction>(window, name)->setChecked(true);
    }
    auto *players = child<QComboBox>(window, "comboBox_Player");
    players->setCurrentIndex(players->findText(state.model));
    emit players->activated(players->currentIndex());
    selectEntry(window, "comboBox_Port", state.port);
    selectEntry(window, "comboBox_Baudrate", state.baudRate);
    for (int index = 0; index < 4; ++index)
        addressBox(window, index)->setValue(state.address.at(index));
    child<QCheckBox>(window, "checkBox_Auto_connection")->setChecked(state.autoConnection);
    selectEntry(window, "comboBox_ID", state.playerId);
    // Both groups lie in the command area, disabled while no link is open.
    child<QRadioButton>(window, QStringLiteral("radioButton_Sent_") + state.sentBytes)
        ->setChecked(true);
    child<QRadioButton>(window, QStringLiteral("radioButton_Data_") + state.receivedData)
        ->setChecked(true);
}

} // namespace

Q_DECLARE_METATYPE(WindowState)

class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void firstStartCreatesDirectoryAndSavesDefaults();
    void saveThenLoad_data();
    void saveThenLoad();
    void readFile_data();
    void readFile();
    void failedWriteKeepsPreviousFile();
    void autoConnectionConnectsBeforeShown_data();
    void autoConnectionConnectsBeforeShown();
    void modelsOpenNoLink_data();
    void modelsOpenNoLink();

private:
    QTemporaryDir m_dataHome;
    QTemporaryDir m_generated;
    // A device on the video models' fixed port, on the first loopback address where it is free.
    RecordingServer m_device;
    QString m_deviceAddress;
};

void tst_Settings::initTestCase()
{
    setConsoleIdentity();
    QVERIFY(m_dataHome.isValid());
    QVERIFY(m_generated.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
    QVERIFY(dataDirectory().startsWith(m_dataHome.path() + QLatin1Char('/')));

    // The window connects to the model's own port, which the test cannot move; another program
    // may hold it on 127.0.0.1, but hardly on every address of the loopback network as well.
    m_device.close();
    for (int host = 1; host < 10 && !m_device.isListening(); ++host) {
        m_deviceAddress = QStringLiteral("127.0.0.%1").arg(host);
        m_device.listen(QHostAddress(m_deviceAddress), videoPort);
    }
    QVERIFY2(m_device.isListening(), "port 65079 is taken on 127.0.0.1 to 127.0.0.9");

    // Megabytes are made here rather than kept in the repository.
    QByteArray lines = "ZOX11.00\n";
    for (int line = 2; line <= 24; ++line)
        lines += QByteArray(1 << 20, line % 2 ? '1' : 'E') + '\n';
    QVERIFY(writeFile(m_generated.filePath(QStringLiteral("megabyte-lines.cfg")), lines));
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
        QCOMPARE(stateOf(window), firstStart());
    }
    QCOMPARE(fileContent(directory + QStringLiteral("/Zoxen Console.cfg")),
             configText({"(default)", "Timetune", savedPort(firstPort()), "19200", "0", "0", "0",
                         "0", "0", "0", "2", "1"}));
}

void tst_Settings::saveThenLoad_data()
{
    QTest::addColumn<WindowState>("chosen");
    QTest::addColumn<WindowState>("restored");
    QTest::addColumn<QByteArray>("file");

    WindowState serial = firstStartWith([](WindowState &s) {
        s.languages = QStringList{QStringLiteral("action_French")};
        s.model = QStringLiteral("Showtune (rev2)");
        s.port = lastPort();
        s.baudRate = QStringLiteral("38400");
        s.address = {10, 20, 30, 40};
        s.playerId = QStringLiteral("5");
        s.sentBytes = QStringLiteral("Dec");
        s.receivedData = QStringLiteral("Hex");
    });
    QTest::newRow("serial model, French, decimal, hexadecimal")
        << serial << serial
        << configText({"French", "Showtune (rev2)", savedPort(lastPort()), "38400", "10", "20",
                       "30", "40", "0", "5", "3", "2"});

    WindowState amplifier = firstStartWith([](WindowState &s) {
        s.languages = QStringList{QStringLiteral("action_English")};
        s.model = QStringLiteral("Boostbox 1");
        s.baudRate = QStringLiteral("4800");
        s.address = {255, 0, 255, 1};
        s.playerId = QStringLiteral("127");
        s.receivedData = QStringLiteral("Dec");
    });
    QTest::newRow("amplifier, English, bounds, decimal received")
        << amplifier << amplifier
        << configText({"English", "Boostbox 1", savedPort(firstPort()), "4800", "255", "0", "255",
                       "1", "0", "127", "2", "3"});

    const QStringList address = m_deviceAddress.split(QLatin1Char('.'));
    WindowState network = firstStartWith([&address](WindowState &s) {
        s.model = QStringLiteral("Framebox - FB5xx (TCP/IP)");
        s.baudRate = QString();
        s.address.clear();
        for (const QString &byte : address)
            s.address << byte.toInt();
        s.autoConnection = true;
    });
    WindowState connected = network;
    connected.linkStarted = true;
    QTest::newRow("TCP/IP model with auto-connection")
        << network << connected
        << configText(QStringList{"(default)", "Framebox - FB5xx (TCP/IP)", savedPort(firstPort()),
                                  "(default)"}
                      << address << QStringList{"1", "0", "2", "1"});

    WindowState bothLanguages = firstStartWith([](WindowState &s) {
        s.languages =
            QStringList{QStringLiteral("action_English"), QStringLiteral("action_French")};
    });
    WindowState french = firstStartWith(
        [](WindowState &s) { s.languages = QStringList{QStringLiteral("action_French")}; });
    QTest::newRow("English and French checked: French wins")
        << bothLanguages << french
        << configText({"French", "Timetune", savedPort(firstPort()), "19200", "0", "0", "0", "0",
                       "0", "0", "2", "1"});
}

void tst_Settings::saveThenLoad()
{
    QFETCH(WindowState, chosen);
    QFETCH(WindowState, restored);
    QFETCH(QByteArray, file);

    ModalBoxCatcher boxes;
    {
        MainWindow window;
        choose(window, chosen);
        QCOMPARE(stateOf(window), chosen);
    }
    QCOMPARE(fileContent(configPath()), file);

    MainWindow window;
    QCOMPARE(stateOf(window), restored);
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::readFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<WindowState>("expected");

    const WindowState untouched = firstStart();

    QTest::newRow("config/French, UTF-8 port, 38400, ID 127")
        << dataFile("french-utf8.cfg") << firstStartWith([](WindowState &s) {
               s.languages = QStringList{QStringLiteral("action_French")};
               s.baudRate = QStringLiteral("38400");
               s.address = {10, 0, 0, 5};
               s.playerId = QStringLiteral("127");
           });
    const WindowState english = firstStartWith([](WindowState &s) {
        s.languages = QStringList{QStringLiteral("action_English")};
        s.address = {192, 168, 1, 20};
        s.playerId = QStringLiteral("5");
        s.sentBytes = QStringLiteral("Dec");
        s.receivedData = QStringLiteral("Hex");
    });
    QTest::newRow("config/line 18 zero leaves auto-connection unchecked")
        << dataFile("auto-0.cfg") << english;
    QTest::newRow("config/line 18 not a number") << dataFile("auto-x.cfg") << english;
    QTest::newRow("config/line 18 seven checks auto-connection and connects")
        << dataFile("window/auto-7-tcp.cfg") << firstStartWith([](WindowState &s) {
               s.languages = QStringList{QStringLiteral("action_English")};
               s.model = videoModel;
               s.baudRate = QString();
               s.address = {127, 0, 0, 1};
               s.autoConnection = true;
               s.linkStarted = true;
           });

    QTest::newRow("config/line 1 other version: nothing applied")
        << dataFile("line1-other-version.cfg") << untouched;
    QTest::newRow("config/line 1 lower case: nothing applied")
        << dataFile("line1-lowercase.cfg") << untouched;
    QTest::newRow("config/line 1 empty: nothing applied")
        << dataFile("line1-empty.cfg") << untouched;
    QTest::newRow("config/empty file") << dataFile("empty.cfg") << untouched;
    QTest::newRow("config/random bytes") << dataFile("random.bin") << untouched;
    QTest::newRow("config/all (default)") << dataFile("defaults.cfg") << untouched;
    QTest::newRow("config/5 lines") << dataFile("short-5-lines.cfg") << firstStartWith([](auto &s) {
        s.languages = QStringList{QStringLiteral("action_French")};
    });
    QTest::newRow("config/1 line") << dataFile("one-line.cfg") << untouched;
    QTest::newRow("config/CR line ends: one long line 1") << dataFile("cr-only.cfg") << untouched;
    QTest::newRow("config/megabyte lines")
        << m_generated.filePath(QStringLiteral("megabyte-lines.cfg")) << untouched;

    QTest::newRow("config/CRLF line ends")
        << dataFile("window/crlf.cfg") << firstStartWith([](WindowState &s) {
               s.languages = QStringList{QStringLiteral("action_French")};
               s.model = QStringLiteral("Pocketune rev2/3");
               s.baudRate = QStringLiteral("38400");
               s.address = {10, 0, 0, 5};
               s.playerId = QStringLiteral("127");
               s.sentBytes = QStringLiteral("Dec");
               s.receivedData = QStringLiteral("Dec");
           });
    QTest::newRow("config/line 5 lower case: (default)")
        << dataFile("window/language-lowercase.cfg") << firstStartWith([](WindowState &s) {
               s.model = QStringLiteral("Showtune (rev2)");
               s.baudRate = QStringLiteral("9600");
               s.playerId = QStringLiteral("3");
           });
    QTest::newRow("config/line 7 unknown model: lists of model 0")
        << dataFile("window/unknown-model.cfg") << firstStartWith([](WindowState &s) {
               s.languages = QStringList{QStringLiteral("action_English")};
               s.baudRate = QStringLiteral("38400");
               s.address = {10, 1, 2, 3};
               s.playerId = QStringLiteral("5");
               s.sentBytes = QStringLiteral("Dec");
               s.receivedData = QStringLiteral("Dec");
           });
    QTest::newRow("config/line 7 another case: lists of model 0")
        << dataFile("window/model-case.cfg") << firstStartWith([](WindowState &s) {
               s.languages = QStringList{QStringLiteral("action_English")};
               s.baudRate = QStringLiteral("9600");
               s.playerId = QStringLiteral("12");
           });
    QTest::newRow("config/line 11 not offered by the model")
        << dataFile("window/baud-not-offered.cfg") << firstStartWith([](WindowState &s) {
               s.model = QStringLiteral("Cardtune QX (legacy)");
               s.baudRate = QStringLiteral("9600");
               s.playerId = QStringLiteral("127");
           });
    QTest::newRow("config/TCP/IP model: no baud rate")
        << dataFile("window/tcp-model.cfg") << firstStartWith([](WindowState &s) {
               s.languages = QStringList{QStringLiteral("action_French")};
               s.model = QStringLiteral("Framebox - FB5xx (TCP/IP)");
               s.baudRate = QString();
               s.address = {127, 0, 0, 1};
               s.sentBytes = QStringLiteral("Dec");
               s.receivedData = QStringLiteral("Hex");
           });
    QTest::newRow("config/lines 13 to 16 192, 300, -1, 255")
        << dataFile("window/address-edges.cfg") << firstStartWith([](WindowState &s) {
               s.languages = QStringList{QStringLiteral("action_English")};
               s.address = {192, 0, 0, 255};
               s.playerId = QStringLiteral("5");
           });
    QTest::newRow("config/lines 22 and 24 out of range")
        << dataFile("window/modes-out-of-range.cfg") << firstStartWith([](WindowState &s) {
               s.languages = QStringList{QStringLiteral("action_English")};
           });
}

void tst_Settings::readFile()
{
    QFETCH(QString, path);
    QFETCH(WindowState, expected);

    QVERIFY(QDir().mkpath(dataDirectory()));
    QVERIFY(QFile::copy(path, configPath()));
    ModalBoxCatcher boxes;
    MainWindow window;
    QCOMPARE(stateOf(window), expected);
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::failedWriteKeepsPreviousFile()
{
    QVERIFY(QDir().mkpath(dataDirectory()));
    const QByteArray previous = fileContent(dataFile("french-utf8.cfg"));
    QVERIFY(writeFile(configPath(), previous));
    const auto englishChosen = [] {
        auto window = std::make_unique<MainWindow>();
        child<QAction>(*window, "action_English")->trigger();
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
    QCOMPARE(QDir(dataDirectory()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Zoxen Console.cfg")});

    // The same exit without the limit does replace it.
    window = englishChosen();
    window.reset();
    QVERIFY(fileContent(configPath()).contains("\nEnglish\n"));
}

void tst_Settings::autoConnectionConnectsBeforeShown_data()
{
    QTest::addColumn<QString>("model");

    for (const char *model : {"Showcaster - SC900 (TCP/IP)", "Framebox - FB5xx (TCP/IP)",
                              "FB4xxQ(n) (TCP/IP) (legacy)"})
        QTest::newRow(model) << QString::fromLatin1(model);
}

void tst_Settings::autoConnectionConnectsBeforeShown()
{
    QFETCH(QString, model);

    QVERIFY(QDir().mkpath(dataDirectory()));
    QVERIFY(
        writeFile(configPath(), configText(QStringList{"English", model, "(default)", "(default)"}
                                           << m_deviceAddress.split(QLatin1Char('.'))
                                           << QStringList{"1", "0", "2", "1"})));
    const int connections = m_device.connections();
    ModalBoxCatcher boxes;
    MainWindow window;
    QVERIFY(!window.isVisible());
    QVERIFY(tcpSocket->state() != QAbstractSocket::UnconnectedState);
    QCOMPARE(tcpSocket->peerName(), m_deviceAddress);

    QTRY_COMPARE(m_device.connections(), connections + 1);
    QTRY_COMPARE(tcpSocket->state(), QAbstractSocket::ConnectedState);
    QCOMPARE(tcpSocket->peerPort(), videoPort);
    QVERIFY(child<QPushButton>(window, "pushButton_Disconnect")->isEnabled());
    QVERIFY(child<QWidget>(window, "frame_Commands")->isEnabled());
    QVERIFY(m_device.received().isEmpty());
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::modelsOpenNoLink_data()
{
    QTest::addColumn<QString>("model");

    const PlayerCatalogueList models = buildCatalogueModels();
    for (const PlayerModel &model : models)
        QTest::newRow(qPrintable(model.name)) << model.name;
}

// Restoring a model at start-up, or choosing it afterwards, opens nothing and sends nothing.
void tst_Settings::modelsOpenNoLink()
{
    QFETCH(QString, model);

    // The on-demand model's device, where its port is free on the test's address.
    RecordingServer tunebox;
    tunebox.close();
    tunebox.listen(QHostAddress(m_deviceAddress), tuneboxPort);

    QVERIFY(QDir().mkpath(dataDirectory()));
    QVERIFY(
        writeFile(configPath(), configText(QStringList{"English", model, "(default)", "(default)"}
                                           << m_deviceAddress.split(QLatin1Char('.'))
                                           << QStringList{"0", "0", "2", "1"})));
    const int connections = m_device.connections();
    ModalBoxCatcher boxes;
    MainWindow window;
    QCOMPARE(stateOf(window).model, model);
    QVERIFY(!stateOf(window).linkStarted);

    auto *players = child<QComboBox>(window, "comboBox_Player");
    emit players->activated(players->currentIndex());
    QCoreApplication::processEvents();
    QVERIFY(!stateOf(window).linkStarted);
    m_device.waitForNewConnection(0);
    QCOMPARE(m_device.connections(), connections);
    tunebox.waitForNewConnection(0);
    QCOMPARE(tunebox.connections(), 0);
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
