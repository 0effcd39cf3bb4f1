#include "consoleidentity.h"
#include "modalboxcatcher.h"
#include "windowdriver.h"

#include <QLabel>
#include <QSlider>

class tst_Transmission : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    void frameOnTheWire_data();
    void frameOnTheWire();
    void onDemandConnections();
    void nothingSent();
};

// Steps: "LIST=ENTRY" chosen, a button clicked (the "pushButton_" of the name left out),
// "slot:NAME", "volume:N" (the slider), "hide:PANEL", "keys:KEYS" pressed. The wire's frames are
// separated by commas; what the window shows is the last frame, in hexadecimal but for the
// decimal row. Each control's frame for every model is proven without the window: these rows
// prove that each control reaches it.
void tst_Transmission::frameOnTheWire_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("wire");
    QTest::addColumn<QString>("label");

    const auto row = [](const char *name, const char *model, const QString &steps,
                        const QString &wire, const QString &label = QString()) {
        const QStringList frames = wire.split(", ");
        QTest::newRow(name) << modelIndex(model) << steps.split(';') << frames
                            << (label.isEmpty() ? frames.last() : label);
    };
    const char *timetune = "Timetune";
    const char *showcaster = "Showcaster - SC900 (Serial)";
    const QString playback = "80 02 01, 80 02 02, 80 02 03, 80 02 04, 80 02 06, 80 02 07";
    row("playback buttons", timetune,
        "Play;Stop;Next_File;Previous_File;Next_Folder;Previous_Folder", playback);
    row("folder 999 at ID 127", timetune, "comboBox_ID=127;comboBox_Folder=999;Folder", "FF 71 67");
    row("volume: slider, Ctrl+minus, Ctrl+plus, Ctrl+= and Ctrl+keypad plus", timetune,
        "volume:40;keys:Ctrl+-;keys:Ctrl++;keys:Ctrl+=;keys:Ctrl+Num++",
        "80 03 28, 80 03 27, 80 03 28, 80 03 29, 80 03 2A");
    // No model of the catalogue has relays: the row gives one a relay command.
    row("relays 1, 3 and 8", timetune,
        "relays;checkBox_Relay_1;checkBox_Relay_3;checkBox_Relay_8;Relay_Command", "80 16 05 08");
    row("pause, standby, mute toggle, media pause and mute", showcaster,
        "Pause;Standby_Wakeup;Volume_Mute_Unmute;keys:Media Pause;keys:Volume Mute",
        "80 02 05, 80 02 08, 80 02 10, 80 02 05, 80 02 10");
    row("request Volume", showcaster, "comboBox_Request=Volume;Request", "80 04 0B");
    // The clock reads 2027-01-15 08:00:00 UTC.
    row("other command: UTC epoch", showcaster,
        "comboBox_Other_Command=Set UTC/GMT date/time (epoch version);Other_Command",
        "80 3C 06 5A 27 24 00");
    row("change ID to 5", "Boostbox 1", "comboBox_Change_ID=5;Change_ID", "80 7F 05");
    row("play, shown in decimal", "Tunebox (Serial)", "radioButton_Sent_Dec;Play", "20 FF FF FF",
        "32 255 255 255");
    row("launch: folder with option, then webradio", "Tunebox (Serial)",
        "comboBox_Source_Of_Playback=SPOT folder (Random + Reset);comboBox_Ref_Of_Playback=010;"
        "comboBox_Option_Of_Playback=003;Launch_Playback;comboBox_Source_Of_Playback=Webradio;"
        "comboBox_Webradio_Ref_Of_Playback=002;Launch_Playback",
        "12 00 0A 03, 40 00 02 FF");
    row("on-demand play in its envelope", "Tunebox (NX) (TCP/IP)", "Play",
        "04 00 00 00 63 6D 64 00 33 32 00 32 35 35 00 32 35 35 00");
    QString keys = "hide:frame_Folder";
    QStringList folders;
    for (int folder = 0; folder <= 9; ++folder) {
        keys += QStringLiteral(";keys:Ctrl+%1").arg(folder);
        folders << QStringLiteral("80 01 0%1").arg(folder);
    }
    row("Ctrl+0 to Ctrl+9, folder panel hidden", timetune, keys, folders.join(", "));
    row("media keys, playback panel hidden", timetune,
        "hide:frame_Playback_Command;keys:Media Play;keys:Media Stop;keys:Media Next;"
        "keys:Media Previous;keys:Ctrl+Media Next;keys:Ctrl+Media Previous",
        playback);
}

void tst_Transmission::frameOnTheWire()
{
    QFETCH(int, model);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, wire);
    QFETCH(QString, label);

    ModalBoxCatcher boxes;
    const bool relays = steps.first() == "relays";
    LinkedDevice device(model, [&](ConsoleEnvironment &environment) {
        if (relays)
            environment.catalogue[model].commands.append(
                PlayerCommand("Relays", CommandCategory::Relay, 0x16, {0x00, 0x00}, {0x0F, 0x0F}));
    });
    MainWindow &window = device.window();
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(buildCatalogueModels().at(model).isOnDemand() ||
            QTest::qWaitFor([&] { return device.linked(); }));
    for (const QString &step : qAsConst(steps)) {
        const QString value = step.section(':', 1);
        if (step.startsWith("slot:")) {
            QVERIFY(QMetaObject::invokeMethod(&window, qPrintable(value)));
        } else if (step.startsWith("volume:")) {
            window.findChild<QSlider *>("horizontalSlider_Volume")->setValue(value.toInt());
        } else if (step.startsWith("hide:")) {
            window.findChild<QWidget *>(value)->hide();
        } else if (step.startsWith("keys:")) {
            // With an explicit (empty) text: media keys have no character to derive one from.
            QVERIFY2(QKeySequence(value).toString() == value, qPrintable(value));
            const auto [key, modifiers] = firstKey(QKeySequence(value));
            QTest::sendKeyEvent(QTest::Click, &window, key, QString(), modifiers);
        } else if (step.contains('=')) {
            QVERIFY2(chooseEntry(window, step.section('=', 0, 0), step.section('=', 1)),
                     qPrintable(step));
        } else if (step != "relays") {
            clickButton(window, window.findChild<QWidget *>(step) ? step : "pushButton_" + step);
        }
    }

    const QString all = wire.join(' ');
    QCOMPARE(QString(device.received(all.size() / 3 + 1).toHex(' ').toUpper()), all);
    QCOMPARE(boxes.count(), 0);
    // As a screen reader reads the label: by its name, which carries the bytes as shown and, once
    // they are out on the line, nothing more.
    QTRY_COMPARE(spokenName(window, "label_Bytes_Sended"), "Command bytes sent: " + label);
    if (label != wire.last()) {
        clickButton(window, "radioButton_Sent_Hex");
        QCOMPARE(spokenName(window, "label_Bytes_Sended"), "Command bytes sent: " + wire.last());
        clickButton(window, "radioButton_Sent_Dec");
        QCOMPARE(spokenName(window, "label_Bytes_Sended"), "Command bytes sent: " + label);
    }
}

// Each command opens the connection if none is open, and sends its frame once; from the moment
// the connection starts, the settings are frozen as for any open link; the device ending the
// exchange silently brings back the no-link state.
void tst_Transmission::onDemandConnections()
{
    ModalBoxCatcher boxes;
    LinkedDevice device(modelIndex("Tunebox (NX) (TCP/IP)"));
    MainWindow &window = device.window();
    const QByteArray play =
        QByteArray::fromHex("04 00 00 00 63 6D 64 00 33 32 00 32 35 35 00 32 35 35 00");
    auto *settings = window.findChild<QWidget *>("frame_Settings");
    for (int command = 1; command <= 3; ++command) {
        QCOMPARE(settings->isEnabled(), command != 2);
        clickButton(window, "pushButton_Play");
        QVERIFY(!settings->isEnabled());
        QCOMPARE(device.received(play.size() * command), play.repeated(command));
        QCOMPARE(device.server().connections(), command == 3 ? 2 : 1);
        if (command == 2) {
            device.server().closeConnection();
            QTRY_COMPARE(linkOf(window).state(), DeviceLink::State::Closed);
        }
    }
    QCOMPARE(boxes.count(), 0);
}

// Choosing each model in turn, twice, opens no link; without a link, a command sends nothing.
void tst_Transmission::nothingSent()
{
    RecordingServer device;
    ModalBoxCatcher boxes;
    MainWindow window(testEnvironment(device.serverPort()));
    setAddress(window, {127, 0, 0, 1});
    const int models = buildCatalogueModels().size();
    for (int model = 0; model < 2 * models; ++model)
        chooseModel(window, model % models);
    // A connection would be open from the moment it is started, within the choice.
    QCOMPARE(linkOf(window).state(), DeviceLink::State::Closed);

    chooseModel(window, modelIndex("Showcaster - SC900 (Serial)"));
    QVERIFY(QMetaObject::invokeMethod(&window, "Play_Folder_005"));
    QVERIFY(QMetaObject::invokeMethod(&window, "on_pushButton_Play_clicked"));
    QCOMPARE(window.findChild<QLabel *>("label_Bytes_Sended")->text(), QString("0"));
    QCOMPARE(linkOf(window).state(), DeviceLink::State::Closed);
    QCOMPARE(device.connections(), 0);
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(tst_Transmission)
#include "tst_transmission.moc"
