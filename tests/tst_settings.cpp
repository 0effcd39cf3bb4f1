#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "testtable.h"
#include "windowdriver.h"

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSerialPortInfo>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr quint16 videoPort = 65079;

QString dataFile(const QString &name)
{
    return QStringLiteral(ZOXEN_TEST_DATA "/config/") + name;
}

QString configPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("Zoxen Console.cfg"));
}

// A file holding these 12 values, in the order of the file, under the headings of defaults.cfg.
QByteArray configText(const QStringList &values)
{
    QList<QByteArray> lines = fileContent(dataFile("defaults.cfg")).split('\n');
    const int valueLines[] = {5, 7, 9, 11, 13, 14, 15, 16, 18, 20, 22, 24};
    for (int i = 0; i < 12 && lines.size() == 25; ++i)
        lines[valueLines[i] - 1] = values.value(i).toUtf8();
    return lines.join('\n');
}

bool writeConfig(const QStringList &values)
{
    return QDir().mkpath(QFileInfo(configPath()).path()) &&
           writeFile(configPath(), configText(values));
}

// The machine's serial ports decide what the port list offers; the files name none of them.
QStringList portNames()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        names << port.portName();
    return names;
}

QString savedPort(const QString &port)
{
    return port.isEmpty() ? QStringLiteral("(default)") : port;
}

// What the configuration covers, as the window shows it: "what=value" pairs.
using WindowState = QMap<QString, QString>;

QString text(const WindowState &state)
{
    QStringList pairs;
    for (auto field = state.begin(); field != state.end(); ++field)
        pairs << field.key() + '=' + field.value();
    return pairs.join(QStringLiteral("; "));
}

WindowState fields(const QString &text)
{
    WindowState state;
    for (const QString &pair : text.split(';', Qt::SkipEmptyParts))
        state.insert(pair.section('=', 0, 0).trimmed(), pair.section('=', 1).trimmed());
    return state;
}

// A first start's state with some `changes`; "port=last" is the last port of the machine.
QString firstStartWith(const QString &changes = QString())
{
    WindowState state = fields("languages=Default; model=Timetune; baud=19200; address=0.0.0.0; "
                               "auto=0; id=0; sent=Hex; received=ASCII; link=0");
    state.insert("port", portNames().value(0));
    state.insert(fields(changes));
    if (state.value("port") == "last")
        state["port"] = portNames().value(portNames().size() - 1);
    return text(state);
}

template<typename T> T *child(const QWidget &window, const QString &name)
{
    T *object = window.findChild<T *>(name);
    Q_ASSERT(object);
    return object;
}

QString checked(const QWidget &window, const QString &prefix, const QStringList &suffixes)
{
    QStringList names;
    for (const QString &suffix : suffixes) {
        auto *button = window.findChild<QAbstractButton *>(prefix + suffix);
        if (button ? button->isChecked() : child<QAction>(window, prefix + suffix)->isChecked())
            names << suffix;
    }
    return names.join(' ');
}

QString stateOf(const MainWindow &window)
{
    WindowState state;
    state.insert("languages", checked(window, "action_", {"Default", "English", "French"}));
    const auto entry = [&window](const char *name) {
        const auto *list = child<QComboBox>(window, QLatin1String(name));
        return list->currentIndex() < 0 ? QString() : list->currentText();
    };
    state.insert("model", entry("comboBox_Player"));
    state.insert("port", entry("comboBox_Port"));
    state.insert("baud", entry("comboBox_Baudrate"));
    QStringList address;
    for (int index = 1; index <= 4; ++index)
        address << QString::number(
            child<QSpinBox>(window, QStringLiteral("spinBox_IP_%1").arg(index))->value());
    state.insert("address", address.join('.'));
    state.insert(
        "auto", QString::number(child<QCheckBox>(window, "checkBox_Auto_connection")->isChecked()));
    state.insert("id", entry("comboBox_ID"));
    state.insert("sent", checked(window, "radioButton_Sent_", {"Hex", "Dec"}));
    state.insert("received", checked(window, "radioButton_Data_", {"ASCII", "Hex", "Dec"}));
    state.insert("link", QString::number(serialPort->isOpen() ||
                                         tcpSocket->state() != QAbstractSocket::UnconnectedState));
    return text(state);
}

// Sets the widgets, as far as possible as a user would.
void choose(MainWindow &window, const WindowState &state)
{
    const QStringList languages = state.value("languages").split(' ');
    for (const char *name : {"action_Default", "action_English", "action_French"})
        child<QAction>(window, QLatin1String(name))->setChecked(false);
    if (languages.size() == 1) {
        child<QAction>(window, "action_" + languages.first())->trigger();
    } else {
        for (const QString &language : languages)
            child<QAction>(window, "action_" + language)->setChecked(true);
    }
    chooseModel(window,
                child<QComboBox>(window, "comboBox_Player")->findText(state.value("model")));
    const std::pair<const char *, const char *> lists[] = {
        {"comboBox_Port", "port"}, {"comboBox_Baudrate", "baud"}, {"comboBox_ID", "id"}};
    for (const auto &[name, field] : lists) {
        auto *list = child<QComboBox>(window, QLatin1String(name));
        list->setCurrentIndex(list->findText(state.value(field)));
    }
    QList<int> address;
    for (const QString &byte : state.value("address").split('.'))
        address << byte.toInt();
    setAddress(window, address);
    child<QCheckBox>(window, "checkBox_Auto_connection")->setChecked(state.value("auto") == "1");
    // Both groups lie in the command area, disabled while no link is open.
    child<QRadioButton>(window, "radioButton_Sent_" + state.value("sent"))->setChecked(true);
    child<QRadioButton>(window, "radioButton_Data_" + state.value("received"))->setChecked(true);
}

} // namespace

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

// What a first start shows, and the defaults it saves where the data directory is created.
void tst_Settings::firstStartCreatesDirectoryAndSavesDefaults()
{
    // The organisation name holds a slash.
    const QString directory =
        m_dataHome.path() + QStringLiteral("/Brevane Systems / Tessik/Zoxen Console");
    QVERIFY(!QFileInfo::exists(directory));
    {
        MainWindow window;
        QVERIFY(QFileInfo(directory).isDir());
        QCOMPARE(stateOf(window), firstStartWith());
        QCOMPARE(window.windowTitle(), QString("Zoxen Console 1.2.7.0"));
    }
    QCOMPARE(fileContent(directory + QStringLiteral("/Zoxen Console.cfg")),
             configText({"(default)", "Timetune", savedPort(portNames().value(0)), "19200", "0",
                         "0", "0", "0", "0", "0", "2", "1"}));
}

void tst_Settings::saveThenLoad_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("restored");
    QTest::addColumn<QByteArray>("file");

    const QString firstPort = savedPort(portNames().value(0));
    const QString serial = firstStartWith("languages=French; model=Showtune (rev2); port=last; "
                                          "baud=38400; address=10.20.30.40; id=5; sent=Dec; "
                                          "received=Hex");
    QTest::newRow("serial model, French, decimal, hexadecimal")
        << serial << serial
        << configText({"French", "Showtune (rev2)", savedPort(fields(serial).value("port")),
                       "38400", "10", "20", "30", "40", "0", "5", "3", "2"});

    const QString amplifier = firstStartWith("languages=English; model=Boostbox 1; baud=4800; "
                                             "address=255.0.255.1; id=127; received=Dec");
    QTest::newRow("amplifier, English, bounds, decimal received")
        << amplifier << amplifier
        << configText({"English", "Boostbox 1", firstPort, "4800", "255", "0", "255", "1", "0",
                       "127", "2", "3"});

    const QString network =
        "model=Framebox - FB5xx (TCP/IP); baud=; auto=1; address=" + m_deviceAddress;
    QTest::newRow("TCP/IP model with auto-connection")
        << firstStartWith(network) << firstStartWith(network + "; link=1")
        << configText(QStringList{"(default)", "Framebox - FB5xx (TCP/IP)", firstPort, "(default)"}
                      << m_deviceAddress.split('.') << QStringList{"1", "0", "2", "1"});

    QTest::newRow("English and French checked: French wins")
        << firstStartWith("languages=English French") << firstStartWith("languages=French")
        << configText(
               {"French", "Timetune", firstPort, "19200", "0", "0", "0", "0", "0", "0", "2", "1"});
}

void tst_Settings::saveThenLoad()
{
    QFETCH(QString, chosen);
    QFETCH(QString, restored);
    QFETCH(QByteArray, file);

    ModalBoxCatcher boxes;
    {
        MainWindow window;
        choose(window, fields(chosen));
        QCOMPARE(stateOf(window), chosen);
    }
    QCOMPARE(fileContent(configPath()), file);

    MainWindow window;
    QCOMPARE(stateOf(window), restored);
    QCOMPARE(boxes.count(), 0);
}

// How the window applies what the reader makes of a file; the reading is tst_configuration's.
void tst_Settings::readFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QStringList &values, const char *changes) {
        QTest::newRow(name) << configText(values) << firstStartWith(changes);
    };

    row("French, UTF-8 port, 38400, ID 127",
        {"French", "Timetune", "/dev/serial/by-id/usb-Édition_Série-if00", "38400", "10", "0", "0",
         "5", "0", "127", "2", "1"},
        "languages=French; baud=38400; address=10.0.0.5; id=127");
    QTest::newRow("line 1 refused: nothing applied")
        << configText({"French", "Boostbox 1"}).replace("ZOX11.00", "ZOX12.00") << firstStartWith();
    row("line 7 unknown model: lists of model 0",
        {"English", "Tunebox 9000", "/dev/ttyUSB0", "38400", "10", "1", "2", "3", "0", "5", "3",
         "3"},
        "languages=English; baud=38400; address=10.1.2.3; id=5; sent=Dec; received=Dec");
    row("line 7 another case: lists of model 0",
        {"English", "showtune (rev2)", "/dev/ttyUSB0", "9600", "0", "0", "0", "0", "0", "12", "2",
         "1"},
        "languages=English; baud=9600; id=12");
    row("line 11 not offered by the model",
        {"(default)", "Cardtune QX (legacy)", "/dev/ttyUSB0", "19200", "0", "0", "0", "0", "0",
         "127", "2", "1"},
        "model=Cardtune QX (legacy); baud=9600; id=127");
    row("TCP/IP model: no baud rate",
        {"French", "Framebox - FB5xx (TCP/IP)", "(default)", "(default)", "127", "0", "0", "1", "0",
         "0", "3", "2"},
        "languages=French; model=Framebox - FB5xx (TCP/IP); baud=; address=127.0.0.1; sent=Dec; "
        "received=Hex");
    row("lines 13 to 16 192, 300, -1, 255",
        {"English", "Timetune", "/dev/ttyUSB0", "19200", "192", "300", "-1", "255", "0", "5", "2",
         "1"},
        "languages=English; address=192.0.0.255; id=5");
    row("lines 22 and 24 out of range",
        {"English", "Timetune", "/dev/ttyUSB0", "19200", "0", "0", "0", "0", "0", "0", "4", "0"},
        "languages=English");
}

void tst_Settings::readFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    QVERIFY(QDir().mkpath(QFileInfo(configPath()).path()));
    QVERIFY(writeFile(configPath(), content));
    ModalBoxCatcher boxes;
    MainWindow window;
    QCOMPARE(stateOf(window), expected);
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::failedWriteKeepsPreviousFile()
{
    QVERIFY(QDir().mkpath(QFileInfo(configPath()).path()));
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
    QCOMPARE(QDir(QFileInfo(configPath()).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Zoxen Console.cfg")});

    // The same exit without the limit does replace it.
    window = englishChosen();
    window.reset();
    QVERIFY(fileContent(configPath()).contains("\nEnglish\n"));
}

void tst_Settings::autoConnectionConnectsBeforeShown()
{
    QVERIFY(writeConfig(savedNetworkModel("Showcaster - SC900 (TCP/IP)", "1")));
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
// a connection begun would show at once in the port's or the socket's state.
void tst_Settings::modelsOpenNoLink()
{
    QFETCH(QString, model);
    QFETCH(QString, autoConnection);

    QVERIFY(writeConfig(savedNetworkModel(model, autoConnection)));
    ModalBoxCatcher boxes;
    MainWindow window;
    QCOMPARE(fields(stateOf(window)).value("model"), model);
    QCOMPARE(fields(stateOf(window)).value("link"), QString("0"));

    chooseModel(window, child<QComboBox>(window, "comboBox_Player")->currentIndex());
    QCOMPARE(fields(stateOf(window)).value("link"), QString("0"));
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
