#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "catalogue/playercatalogue.h"
#include "connection/links.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "pseudoterminal.h"
#include "recordingserver.h"
#include "transmission/clock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

namespace {

const int timetune = 0;
const int showcasterSerial = 2;
const int boostbox = 4;
const int tuneboxNetwork = 7;

// 2027-01-15 08:00:00 UTC, read where the clock is one hour ahead of UTC.
ClockReading fixedClock()
{
    const QDateTime utc(QDate(2027, 1, 15), QTime(8, 0), Qt::UTC);
    return {utc.toOffsetFromUtc(3600), utc, utc.toMSecsSinceEpoch()};
}

QByteArray hex(const QString &spaced)
{
    return QByteArray::fromHex(spaced.toLatin1());
}

QString spaced(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

void activate(MainWindow &window, int model)
{
    auto *players = window.findChild<QComboBox *>("comboBox_Player");
    players->setCurrentIndex(model);
    emit players->activated(model);
}

// The device on the other end of whichever link the model uses.
class Device
{
public:
    Device(MainWindow &window, int model)
        : m_window(window)
    {
        const PlayerModel &entry = PlayerCatalogue.at(model);
        if (entry.isTcp()) {
            // Devices listen on fixed ports; the test's server takes whatever port is free.
            PlayerCatalogue[model].tcpPort = m_server.serverPort();
            for (int i = 1; i <= 4; ++i) {
                window.findChild<QSpinBox *>(QStringLiteral("spinBox_IP_%1").arg(i))
                    ->setValue(i == 1   ? 127
                               : i == 4 ? 1
                                        : 0);
            }
        }
        activate(window, model);
        if (entry.isOnDemand())
            return;
        if (!entry.isTcp()) {
            auto *ports = window.findChild<QComboBox *>("comboBox_Port");
            ports->addItem(m_terminal.slaveName());
            ports->setCurrentIndex(ports->count() - 1);
        }
        window.findChild<QPushButton *>("pushButton_Connect")->click();
        m_serial = !entry.isTcp();
    }

    bool linked() const
    {
        return m_serial ? serialPort->isOpen()
                        : tcpSocket->state() == QAbstractSocket::ConnectedState;
    }

    // Everything the device received, once `count` bytes are there (or the wait ends).
    QByteArray received(int count, int timeoutMs = 3000)
    {
        if (m_serial)
            return m_terminal.read(count, timeoutMs);
        if (!QTest::qWaitFor([&] { return m_server.received().size() >= count; }, timeoutMs))
            return m_server.received();
        QTest::qWait(20);
        return m_server.received();
    }

    RecordingServer &server() { return m_server; }

private:
    MainWindow &m_window;
    PseudoTerminal m_terminal;
    RecordingServer m_server;
    bool m_serial = false;
};

} // namespace

class tst_Transmission : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void frameOnTheWire_data();
    void frameOnTheWire();
    void baseSwitching();
    void onDemandConnections();
    void choosingAModelSendsNothing();
    void shortcuts_data();
    void shortcuts();
    void noLinkSendsNothing();
};

void tst_Transmission::initTestCase()
{
    setConsoleIdentity();
    setClockSource(fixedClock);
}

void tst_Transmission::cleanup()
{
    serialPort->close();
    tcpSocket->abort();
}

void tst_Transmission::frameOnTheWire_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("wire");
    QTest::addColumn<QString>("label");

    const QString path = QStringLiteral(ZOXEN_TEST_DATA "/transmission/frames.txt");
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(path));
    const QStringList names = [] {
        QStringList list;
        for (const PlayerModel &model : buildCatalogueModels())
            list << model.name;
        return list;
    }();
    int rows = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        QStringList fields = line.split('|');
        for (QString &field : fields)
            field = field.trimmed();
        QVERIFY2(fields.size() == 6 && names.contains(fields.at(1)), qPrintable(line));
        QStringList settings = fields.at(2).split(';', Qt::SkipEmptyParts);
        for (QString &setting : settings)
            setting = setting.trimmed();
        const QString wire = fields.at(4);
        const QString label = fields.at(5);
        QTest::newRow(qPrintable(fields.at(0)))
            << names.indexOf(fields.at(1)) << settings << fields.at(3) << wire
            << (label == "same" ? wire : label);
        ++rows;
    }
    QCOMPARE(rows, 42);
}

void tst_Transmission::frameOnTheWire()
{
    QFETCH(int, model);
    QFETCH(QStringList, settings);
    QFETCH(QString, action);
    QFETCH(QString, wire);
    QFETCH(QString, label);

    ModalBoxCatcher boxes;
    MainWindow window;
    if (settings.contains("relays=1")) {
        // No model of the catalogue has relays; give one a relay command to drive the sender.
        PlayerCatalogue[model].commands.append(
            PlayerCommand("Relays", CommandCategory::Relay, 0x16, {0x00, 0x00}, {0x0F, 0x0F}));
    }
    Device device(window, model);
    QVERIFY(PlayerCatalogue.at(model).isOnDemand() ||
            QTest::qWaitFor([&] { return device.linked(); }));

    for (const QString &setting : qAsConst(settings)) {
        const QString name = setting.section('=', 0, 0);
        const QString value = setting.section('=', 1);
        QObject *widget = window.findChild<QObject *>(name);
        if (auto *list = qobject_cast<QComboBox *>(widget)) {
            list->setCurrentIndex(list->findText(value));
            QVERIFY2(list->currentText() == value, qPrintable(setting));
            emit list->activated(list->currentIndex());
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            button->click();
        }
    }

    if (action.startsWith("slot:"))
        QVERIFY(QMetaObject::invokeMethod(&window, qPrintable(action.mid(5))));
    else if (action.startsWith("volume:"))
        window.findChild<QSlider *>("horizontalSlider_Volume")->setValue(action.mid(7).toInt());
    else
        window.findChild<QPushButton *>(action)->click();

    const QByteArray expected = hex(wire);
    QCOMPARE(spaced(device.received(expected.size())), wire);
    QCOMPARE(window.findChild<QLabel *>("label_Bytes_Sended")->text(), label);
    if (action.startsWith("volume:"))
        QCOMPARE(window.findChild<QLabel *>("label_Volume_2")->text(), action.mid(7));
    QCOMPARE(boxes.count(), 0);
}

void tst_Transmission::baseSwitching()
{
    MainWindow window;
    // The on-demand model keeps the command area usable without a link.
    activate(window, tuneboxNetwork);
    auto *label = window.findChild<QLabel *>("label_Bytes_Sended");
    auto *hexButton = window.findChild<QRadioButton *>("radioButton_Sent_Hex");
    auto *decimalButton = window.findChild<QRadioButton *>("radioButton_Sent_Dec");

    const struct
    {
        QString before;
        QString decimal;
        QString hexadecimal;
    } cases[] = {
        {"80 02 01", "128 2 1", "80 02 01"},
        {"20 FF FF FF", "32 255 255 255", "20 FF FF FF"},
        {"0", "0", "00"},
        {"", "0", "00"},
    };
    for (const auto &row : cases) {
        label->setText(row.before);
        decimalButton->click();
        QCOMPARE(label->text(), row.decimal);
        decimalButton->click(); // already decimal: unchanged
        QCOMPARE(label->text(), row.decimal);
        hexButton->click();
        QCOMPARE(label->text(), row.hexadecimal);
        hexButton->click();
        QCOMPARE(label->text(), row.hexadecimal);
    }
}

void tst_Transmission::onDemandConnections()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    Device device(window, tuneboxNetwork);
    const QByteArray play = hex("04 00 00 00 63 6D 64 00 33 32 00 32 35 35 00 32 35 35 00");
    auto *playButton = window.findChild<QPushButton *>("pushButton_Play");

    // No link open: the command opens the connection and the frame arrives once.
    QVERIFY(!tcpSocket->isOpen());
    playButton->click();
    QCOMPARE(device.received(play.size()), play);
    QCOMPARE(device.server().connections(), 1);

    // Still open: the frame goes over the same connection, once.
    device.server().clearReceived();
    QVERIFY(tcpSocket->isOpen());
    playButton->click();
    QCOMPARE(device.received(play.size()), play);
    QTest::qWait(50);
    QCOMPARE(device.server().received(), play);
    QCOMPARE(device.server().connections(), 1);

    // The device ends the exchange: silently back to the no-link state, then a new connection.
    device.server().closeConnection();
    QTRY_VERIFY(!tcpSocket->isOpen());
    device.server().clearReceived();
    playButton->click();
    QCOMPARE(device.received(play.size()), play);
    QCOMPARE(device.server().connections(), 2);
    QCOMPARE(boxes.count(), 0);
}

void tst_Transmission::choosingAModelSendsNothing()
{
    RecordingServer device;
    ModalBoxCatcher boxes;
    MainWindow window;
    for (PlayerModel &model : PlayerCatalogue) {
        if (model.isTcp())
            model.tcpPort = device.serverPort();
    }
    for (int i = 1; i <= 4; ++i) {
        window.findChild<QSpinBox *>(QStringLiteral("spinBox_IP_%1").arg(i))
            ->setValue(i == 1   ? 127
                       : i == 4 ? 1
                                : 0);
    }
    auto *volume = window.findChild<QLabel *>("label_Volume_2");
    for (int round = 0; round < 2; ++round) {
        for (int model = 0; model < PlayerCatalogue.size(); ++model) {
            activate(window, model);
            if (PlayerCatalogue.at(model).commandOfCategory(CommandCategory::Volume))
                QCOMPARE(volume->text(),
                         QString::number(
                             window.findChild<QSlider *>("horizontalSlider_Volume")->maximum()));
        }
    }
    QTest::qWait(100);
    QVERIFY(!tcpSocket->isOpen());
    QCOMPARE(device.connections(), 0);
    QCOMPARE(boxes.count(), 0);
}

void tst_Transmission::shortcuts_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("hiddenPanel");
    QTest::addColumn<QString>("wire");

    for (int folder = 0; folder <= 9; ++folder) {
        QTest::addRow("Timetune/Ctrl+%d", folder)
            << timetune << QKeySequence(Qt::CTRL + Qt::Key_0 + folder) << ""
            << QStringLiteral("80 01 %1").arg(folder, 2, 10, QLatin1Char('0'));
    }
    QTest::newRow("Timetune/Ctrl+5 with the folder panel hidden")
        << timetune << QKeySequence(Qt::CTRL + Qt::Key_5) << "frame_Folder"
        << "80 01 05";
    QTest::newRow("Timetune/Ctrl+minus") << timetune << QKeySequence(Qt::CTRL + Qt::Key_Minus) << ""
                                         << "80 03 3F";
    QTest::newRow("Timetune/Ctrl+plus at the maximum")
        << timetune << QKeySequence(Qt::CTRL + Qt::Key_Plus) << ""
        << "";
    QTest::newRow("Timetune/media play") << timetune << QKeySequence(Qt::Key_MediaPlay) << ""
                                         << "80 02 01";
    QTest::newRow("Timetune/media play with the playback panel hidden")
        << timetune << QKeySequence(Qt::Key_MediaPlay) << "frame_Playback_Command"
        << "80 02 01";
    QTest::newRow("Timetune/media stop") << timetune << QKeySequence(Qt::Key_MediaStop) << ""
                                         << "80 02 02";
    QTest::newRow("Timetune/media next") << timetune << QKeySequence(Qt::Key_MediaNext) << ""
                                         << "80 02 03";
    QTest::newRow("Timetune/media previous")
        << timetune << QKeySequence(Qt::Key_MediaPrevious) << ""
        << "80 02 04";
    QTest::newRow("Timetune/Ctrl+media next")
        << timetune << QKeySequence(Qt::CTRL + Qt::Key_MediaNext) << ""
        << "80 02 06";
    QTest::newRow("Timetune/Ctrl+media previous")
        << timetune << QKeySequence(Qt::CTRL + Qt::Key_MediaPrevious) << ""
        << "80 02 07";
    QTest::newRow("Timetune/media pause: no pause command")
        << timetune << QKeySequence(Qt::Key_MediaPause) << ""
        << "";
    QTest::newRow("Timetune/media mute: no mute command")
        << timetune << QKeySequence(Qt::Key_VolumeMute) << ""
        << "";
    QTest::newRow("Showcaster serial/media pause")
        << showcasterSerial << QKeySequence(Qt::Key_MediaPause) << ""
        << "80 02 05";
    QTest::newRow("Showcaster serial/media mute")
        << showcasterSerial << QKeySequence(Qt::Key_VolumeMute) << ""
        << "80 02 10";
    QTest::newRow("Boostbox/Ctrl+5: no folder command")
        << boostbox << QKeySequence(Qt::CTRL + Qt::Key_5) << ""
        << "";
    QTest::newRow("Boostbox/media play: no play command")
        << boostbox << QKeySequence(Qt::Key_MediaPlay) << ""
        << "";
}

void tst_Transmission::shortcuts()
{
    QFETCH(int, model);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, hiddenPanel);
    QFETCH(QString, wire);

    MainWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Device device(window, model);
    QTRY_VERIFY(device.linked());
    if (!hiddenPanel.isEmpty())
        window.findChild<QWidget *>(hiddenPanel)->hide();

    const int key = keys[0];
    // With an explicit (empty) text: media keys have no character to derive one from.
    QTest::sendKeyEvent(QTest::Click, &window, Qt::Key(key & ~Qt::KeyboardModifierMask), QString(),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    const QByteArray expected = hex(wire);
    // Nothing expected: a short look is enough to see that nothing came.
    QCOMPARE(spaced(device.received(qMax(1, expected.size()), expected.isEmpty() ? 200 : 3000)),
             wire);
}

void tst_Transmission::noLinkSendsNothing()
{
    MainWindow window;
    activate(window, showcasterSerial);
    auto *label = window.findChild<QLabel *>("label_Bytes_Sended");
    label->setText("80 02 01");
    QVERIFY(QMetaObject::invokeMethod(&window, "Play_Folder_005"));
    QVERIFY(QMetaObject::invokeMethod(&window, "on_pushButton_Play_clicked"));
    QCOMPARE(label->text(), QString("80 02 01"));
    QVERIFY(!serialPort->isOpen());
    QVERIFY(!tcpSocket->isOpen());
}

QTEST_MAIN(tst_Transmission)
#include "tst_transmission.moc"
