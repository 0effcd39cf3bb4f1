#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "transmission/clock.h"
#include "windowdriver.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {

QString spaced(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

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
    void folderShortcuts();
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

    // Settings are "objectName=value": a list entry chosen as the user would, or a button or
    // check box clicked ("=1"); "relays=1" gives the model the relay command that no model of
    // the catalogue has. The action is a button, "slot:NAME" or "volume:N" (the slider). An
    // empty label is the wire bytes as written here. Each control's frame for every model is
    // proven without the window: these rows prove that each control reaches it.
    const struct
    {
        const char *name;
        const char *model;
        const char *settings;
        const char *action;
        const char *wire;
        const char *label;
    } rows[] = {
        {"Timetune/play", "Timetune", "", "pushButton_Play", "80 02 01", ""},
        {"Timetune/play/decimal", "Timetune", "radioButton_Sent_Dec=1", "pushButton_Play",
         "80 02 01", "128 2 1"},
        {"Timetune/stop", "Timetune", "", "pushButton_Stop", "80 02 02", ""},
        {"Timetune/next file", "Timetune", "", "pushButton_Next_File", "80 02 03", ""},
        {"Timetune/previous file", "Timetune", "", "pushButton_Previous_File", "80 02 04", ""},
        {"Timetune/next folder", "Timetune", "", "pushButton_Next_Folder", "80 02 06", ""},
        {"Timetune/previous folder", "Timetune", "", "pushButton_Previous_Folder", "80 02 07", ""},
        {"Timetune/folder 999/id 127", "Timetune", "comboBox_ID=127;comboBox_Folder=999",
         "pushButton_Folder", "FF 71 67", ""},
        {"Timetune/folder shortcut 3", "Timetune", "", "slot:Play_Folder_003", "80 01 03", ""},
        {"Timetune/volume 40", "Timetune", "", "volume:40", "80 03 28", ""},
        {"Timetune/relays 1, 3 and 8", "Timetune",
         "relays=1;checkBox_Relay_1=1;checkBox_Relay_3=1;checkBox_Relay_8=1",
         "pushButton_Relay_Command", "80 16 05 08", ""},
        {"Showcaster serial/pause", "Showcaster - SC900 (Serial)", "", "pushButton_Pause",
         "80 02 05", ""},
        {"Showcaster serial/standby", "Showcaster - SC900 (Serial)", "",
         "pushButton_Standby_Wakeup", "80 02 08", ""},
        {"Showcaster serial/mute toggle", "Showcaster - SC900 (Serial)", "",
         "pushButton_Volume_Mute_Unmute", "80 02 10", ""},
        {"Showcaster serial/request Volume, not the volume command", "Showcaster - SC900 (Serial)",
         "comboBox_Request=Volume", "pushButton_Request", "80 04 0B", ""},
        // The clock reads 2027-01-15 08:00:00 UTC.
        {"Showcaster serial/set UTC epoch", "Showcaster - SC900 (Serial)",
         "comboBox_Other_Command=Set UTC/GMT date/time (epoch version)", "pushButton_Other_Command",
         "80 3C 06 5A 27 24 00", ""},
        {"Showcaster network/play", "Showcaster - SC900 (TCP/IP)", "", "pushButton_Play",
         "80 02 01", ""},
        {"Boostbox/change ID to 5", "Boostbox 1", "comboBox_Change_ID=5", "pushButton_Change_ID",
         "80 7F 05", ""},
        {"Tunebox serial/play/decimal", "Tunebox (Serial)", "radioButton_Sent_Dec=1",
         "pushButton_Play", "20 FF FF FF", "32 255 255 255"},
        {"Tunebox serial/launch SPOT folder 010 option 003", "Tunebox (Serial)",
         "comboBox_Source_Of_Playback=SPOT folder (Random + Reset);comboBox_Ref_Of_Playback=010;"
         "comboBox_Option_Of_Playback=003",
         "pushButton_Launch_Playback", "12 00 0A 03", ""},
        {"Tunebox serial/launch Webradio 002", "Tunebox (Serial)",
         "comboBox_Source_Of_Playback=Webradio;comboBox_Webradio_Ref_Of_Playback=002",
         "pushButton_Launch_Playback", "40 00 02 FF", ""},
        {"Tunebox NX/play", "Tunebox (NX) (TCP/IP)", "", "pushButton_Play",
         "04 00 00 00 63 6D 64 00 33 32 00 32 35 35 00 32 35 35 00", ""},
        {"Tunebox NX/request Player status", "Tunebox (NX) (TCP/IP)",
         "comboBox_Request=Player status", "pushButton_Request",
         "02 00 00 00 67 65 74 00 50 6C 61 79 65 72 53 74 61 74 75 73 00", ""},
    };
    for (const auto &row : rows) {
        QVERIFY2(modelIndex(row.model) >= 0, row.model);
        QTest::newRow(row.name) << modelIndex(row.model)
                                << QString(row.settings).split(';', Qt::SkipEmptyParts)
                                << row.action << row.wire << (*row.label ? row.label : row.wire);
    }
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
    LinkedDevice device(window, model);
    QVERIFY(PlayerCatalogue.at(model).isOnDemand() ||
            QTest::qWaitFor([&] { return device.linked(); }));

    for (const QString &setting : qAsConst(settings)) {
        const QString name = setting.section('=', 0, 0);
        if (auto *button = window.findChild<QAbstractButton *>(name))
            button->click();
        else if (name != "relays")
            QVERIFY2(chooseEntry(window, name, setting.section('=', 1)), qPrintable(setting));
    }

    if (action.startsWith("slot:"))
        QVERIFY(QMetaObject::invokeMethod(&window, qPrintable(action.mid(5))));
    else if (action.startsWith("volume:"))
        window.findChild<QSlider *>("horizontalSlider_Volume")->setValue(action.mid(7).toInt());
    else
        clickButton(window, action);

    QCOMPARE(spaced(device.received(QByteArray::fromHex(wire.toLatin1()).size())), wire);
    QCOMPARE(window.findChild<QLabel *>("label_Bytes_Sended")->text(), label);
    // Out on the line: nothing more is said of it.
    QTRY_VERIFY(window.findChild<QLabel *>("label_Sent_State")->isHidden());
    if (action.startsWith("volume:"))
        QCOMPARE(window.findChild<QLabel *>("label_Volume_2")->text(), action.mid(7));
    QCOMPARE(boxes.count(), 0);
}

void tst_Transmission::baseSwitching()
{
    MainWindow window;
    // The on-demand model keeps the command area usable without a link.
    chooseModel(window, modelIndex("Tunebox (NX) (TCP/IP)"));
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
    LinkedDevice device(window, modelIndex("Tunebox (NX) (TCP/IP)"));
    const QByteArray play =
        QByteArray::fromHex("04 00 00 00 63 6D 64 00 33 32 00 32 35 35 00 32 35 35 00");
    auto *playButton = window.findChild<QPushButton *>("pushButton_Play");

    // No link open: the command opens the connection and the frame arrives once. From the
    // moment the connection starts, the settings are frozen as for any open link.
    auto *settings = window.findChild<QWidget *>("frame_Settings");
    QVERIFY(!tcpSocket->isOpen());
    QVERIFY(settings->isEnabled());
    playButton->click();
    QVERIFY(!settings->isEnabled());
    QCOMPARE(device.received(play.size()), play);
    QCOMPARE(device.server().connections(), 1);

    // Still open: the frame goes over the same connection, once.
    device.server().clearReceived();
    QVERIFY(tcpSocket->isOpen());
    playButton->click();
    QCOMPARE(tcpSocket->bytesToWrite(), qint64(play.size()));
    QCOMPARE(device.received(play.size()), play);
    QCOMPARE(device.server().connections(), 1);

    // The device ends the exchange: silently back to the no-link state, then a new connection.
    device.server().closeConnection();
    QTRY_VERIFY(!tcpSocket->isOpen());
    QVERIFY(settings->isEnabled());
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
    setAddress(window, {127, 0, 0, 1});
    auto *volume = window.findChild<QLabel *>("label_Volume_2");
    for (int round = 0; round < 2; ++round) {
        for (int model = 0; model < PlayerCatalogue.size(); ++model) {
            chooseModel(window, model);
            if (PlayerCatalogue.at(model).commandOfCategory(CommandCategory::Volume))
                QCOMPARE(volume->text(),
                         QString::number(
                             window.findChild<QSlider *>("horizontalSlider_Volume")->maximum()));
        }
    }
    // A connection would be open from the moment it is started, within the choice.
    QVERIFY(!tcpSocket->isOpen());
    QCOMPARE(device.connections(), 0);
    QCOMPARE(boxes.count(), 0);
}

void tst_Transmission::shortcuts_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("wire");

    // Before the key: a panel hidden ("hide NAME") or the slider moved without sending
    // ("volume N"). No wire bytes when the model has no command for the key.
    const struct
    {
        const char *name;
        const char *model;
        const char *keys;
        const char *before;
        const char *wire;
    } rows[] = {
        {"Timetune/Ctrl+5 with the folder panel hidden", "Timetune", "Ctrl+5", "hide frame_Folder",
         "80 01 05"},
        {"Timetune/Ctrl+minus", "Timetune", "Ctrl+-", "", "80 03 3F"},
        {"Timetune/Ctrl+plus at the maximum", "Timetune", "Ctrl++", "", ""},
        {"Timetune/Ctrl+plus", "Timetune", "Ctrl++", "volume 10", "80 03 0B"},
        {"Timetune/Ctrl+= as most people type plus", "Timetune", "Ctrl+=", "volume 10", "80 03 0B"},
        {"Timetune/Ctrl+keypad plus", "Timetune", "Ctrl+Num++", "volume 10", "80 03 0B"},
        {"Timetune/media play with the playback panel hidden", "Timetune", "Media Play",
         "hide frame_Playback_Command", "80 02 01"},
        {"Timetune/media stop", "Timetune", "Media Stop", "", "80 02 02"},
        {"Timetune/media next", "Timetune", "Media Next", "", "80 02 03"},
        {"Timetune/media previous", "Timetune", "Media Previous", "", "80 02 04"},
        {"Timetune/Ctrl+media next", "Timetune", "Ctrl+Media Next", "", "80 02 06"},
        {"Timetune/Ctrl+media previous", "Timetune", "Ctrl+Media Previous", "", "80 02 07"},
        {"Timetune/media pause: no pause command", "Timetune", "Media Pause", "", ""},
        {"Showcaster serial/media pause", "Showcaster - SC900 (Serial)", "Media Pause", "",
         "80 02 05"},
        {"Showcaster serial/media mute", "Showcaster - SC900 (Serial)", "Volume Mute", "",
         "80 02 10"},
        {"Boostbox/Ctrl+5: no folder command", "Boostbox 1", "Ctrl+5", "", ""},
    };
    for (const auto &row : rows) {
        const QKeySequence keys(row.keys);
        // Read back as written: one key, and no name that Qt does not know.
        QVERIFY2(modelIndex(row.model) >= 0 && keys.count() == 1 && keys.toString() == row.keys,
                 row.name);
        QTest::newRow(row.name) << modelIndex(row.model) << keys << row.before << row.wire;
    }
}

void tst_Transmission::shortcuts()
{
    QFETCH(int, model);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, before);
    QFETCH(QString, wire);

    ModalBoxCatcher boxes;
    MainWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    LinkedDevice device(window, model);
    QTRY_VERIFY(device.linked());
    if (before.startsWith("hide "))
        window.findChild<QWidget *>(before.mid(5))->hide();
    if (before.startsWith("volume ")) {
        auto *slider = window.findChild<QSlider *>("horizontalSlider_Volume");
        const QSignalBlocker quiet(slider);
        slider->setValue(before.mid(7).toInt());
    }

    const int key = keys[0];
    // With an explicit (empty) text: media keys have no character to derive one from.
    QTest::sendKeyEvent(QTest::Click, &window, Qt::Key(key & ~Qt::KeyboardModifierMask), QString(),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    const QByteArray expected = QByteArray::fromHex(wire.toLatin1());
    if (expected.isEmpty()) {
        // A frame is queued on the port within the key's slot: none was.
        QCOMPARE(serialPort->bytesToWrite(), 0);
        QCOMPARE(window.findChild<QLabel *>("label_Bytes_Sended")->text(), QString("0"));
    } else {
        QCOMPARE(spaced(device.received(expected.size())), wire);
    }
    QCOMPARE(boxes.count(), 0);
}

// Ctrl+0 to Ctrl+9, each to its own folder, in the order pressed.
void tst_Transmission::folderShortcuts()
{
    ModalBoxCatcher boxes;
    MainWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    LinkedDevice device(window, modelIndex("Timetune"));
    QTRY_VERIFY(device.linked());
    QString expected;
    for (int folder = 0; folder <= 9; ++folder) {
        QTest::keyClick(&window, Qt::Key(Qt::Key_0 + folder), Qt::ControlModifier);
        expected += QStringLiteral(" 80 01 0%1").arg(folder);
    }
    QCOMPARE(spaced(device.received(30)), expected.mid(1));
    QCOMPARE(boxes.count(), 0);
}

void tst_Transmission::noLinkSendsNothing()
{
    MainWindow window;
    chooseModel(window, modelIndex("Showcaster - SC900 (Serial)"));
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
