#include "app/mainwindow.h"
#include "app/version.h"
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
constexpr quint16 tuneboxPort = 1234;

QString dataFile(const QString &name)
{
    return QStringLiteral(ZOXEN_TEST_DATA "/config/") + name;
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

// The 24 lines of a file holding these 12 values, in the order of the file, under the headings
// that defaults.cfg has.
QByteArray configText(const QStringList &values)
{
    QList<QByteArray> lines = fileContent(dataFile("defaults.cfg")).split('\n');
    const int valueLines[] = {5, 7, 9, 11, 13, 14, 15, 16, 18, 20, 22, 24};
    for (int i = 0; i < 12 && lines.size() == 25; ++i)
        lines[valueLines[i] - 1] = values.value(i).toUtf8();
    return lines.join('\n');
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

// What the configuration file covers, as the window shows it: "what=value" pairs, as
// tests/data/settings/readings.txt describes them.
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

// A first start's state with some `changes`, in the form of `text`; "port=last" is the last
// port of the machine's list.
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

QString checkedSuffix(const QWidget &window, const QString &prefix, const QStringList &suffixes)
{
    QStringList checked;
    for (const QString &suffix : suffixes) {
        if (child<QAbstractButton>(window, prefix + suffix)->isChecked())
            checked << suffix;
    }
    return checked.join(' ');
}

WindowState stateOf(const MainWindow &window)
{
    WindowState state;
    QStringList languages;
    for (const char *language : {"Default", "English", "French"}) {
        if (child<QAction>(window, QStringLiteral("action_") + language)->isChecked())
            languages << language;
    }
    state.insert("languages", languages.join(' '));
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
    state.insert("sent", checkedSuffix(window, "radioButton_Sent_", {"Hex", "Dec"}));
    state.insert("received", checkedSuffix(window, "radioButton_Data_", {"ASCII", "Hex", "Dec"}));
    state.insert("link", QString::number(serialPort->isOpen() ||
                                         tcpSocket->state() != QAbstractSocket::UnconnectedState));
    return state;
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
        QCOMPARE(text(stateOf(window)), firstStartWith());
        QCOMPARE(window.windowTitle(), QString("Zoxen Console " ZOXEN_VERSION));
        QStringList models;
        for (const PlayerModel &model : buildCatalogueModels())
            models << model.name;
        QCOMPARE(entries(child<QComboBox>(window, "comboBox_Player")), models);
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
        QCOMPARE(text(stateOf(window)), chosen);
    }
    QCOMPARE(fileContent(configPath()), file);

    MainWindow window;
    QCOMPARE(text(stateOf(window)), restored);
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::readFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    TestTable table(QStringLiteral("settings/readings.txt"), 3);
    QVERIFY2(table.holds(21), table.problem());
    for (const QStringList &row : table.rows())
        QTest::newRow(qPrintable(row.at(0))) << dataFile(row.at(1)) << firstStartWith(row.at(2));
    QTest::newRow("config/megabyte lines")
        << m_generated.filePath(QStringLiteral("megabyte-lines.cfg")) << firstStartWith();
}

void tst_Settings::readFile()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);

    QVERIFY(QDir().mkpath(dataDirectory()));
    QVERIFY(QFile::copy(path, configPath()));
    ModalBoxCatcher boxes;
    MainWindow window;
    QCOMPARE(text(stateOf(window)), expected);
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
    QVERIFY(child<QWidget>(window, "frame_Playback_Command")->isEnabled());
    QVERIFY(m_device.received().isEmpty());
    QCOMPARE(boxes.count(), 0);
}

void tst_Settings::modelsOpenNoLink_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("autoConnection");

    const PlayerCatalogueList models = buildCatalogueModels();
    for (const PlayerModel &model : models)
        QTest::newRow(qPrintable(model.name)) << model.name << "0";
    // Its box is hidden, but a saved check must not connect it: its commands connect themselves.
    QTest::newRow("Tunebox (NX) (TCP/IP)/auto-connection saved") << "Tunebox (NX) (TCP/IP)"
                                                                 << "1";
}

// Restoring a model at start-up, or choosing it afterwards, opens nothing and sends nothing.
void tst_Settings::modelsOpenNoLink()
{
    QFETCH(QString, model);
    QFETCH(QString, autoConnection);

    // The on-demand model's device, where its port is free on the test's address.
    RecordingServer tunebox;
    tunebox.close();
    tunebox.listen(QHostAddress(m_deviceAddress), tuneboxPort);

    QVERIFY(QDir().mkpath(dataDirectory()));
    QVERIFY(
        writeFile(configPath(), configText(QStringList{"English", model, "(default)", "(default)"}
                                           << m_deviceAddress.split(QLatin1Char('.'))
                                           << QStringList{autoConnection, "0", "2", "1"})));
    const int connections = m_device.connections();
    ModalBoxCatcher boxes;
    MainWindow window;
    QCOMPARE(stateOf(window).value("model"), model);
    QCOMPARE(stateOf(window).value("link"), QString("0"));

    chooseModel(window, child<QComboBox>(window, "comboBox_Player")->currentIndex());
    QCoreApplication::processEvents();
    QCOMPARE(stateOf(window).value("link"), QString("0"));
    m_device.waitForNewConnection(0);
    QCOMPARE(m_device.connections(), connections);
    tunebox.waitForNewConnection(0);
    QCOMPARE(tunebox.connections(), 0);
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
