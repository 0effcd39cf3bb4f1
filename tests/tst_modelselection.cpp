#include "app/mainwindow.h"
#include "consoleidentity.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {

const QStringList modelDependentWidgets = {"frame_Port",
                                           "frame_Baudrate",
                                           "frame_IP",
                                           "frame_ID",
                                           "frame_Change_ID",
                                           "line_after_Change_ID",
                                           "line_after_ID",
                                           "frame_Folder",
                                           "line_ID_and_Folder",
                                           "frame_Playback_Command",
                                           "pushButton_Previous_Folder",
                                           "pushButton_Previous_File",
                                           "pushButton_Play",
                                           "pushButton_Stop",
                                           "pushButton_Pause",
                                           "pushButton_Next_Folder",
                                           "pushButton_Next_File",
                                           "line_Playback_Command",
                                           "frame_Volume",
                                           "pushButton_Volume_Less",
                                           "pushButton_Volume_More",
                                           "line_Volume",
                                           "frame_Request",
                                           "line_Request",
                                           "frame_Standby_Wakeup",
                                           "line_after_Change_Before_Standby",
                                           "frame_Other_Command",
                                           "line_Other_Command",
                                           "pushButton_Volume_Mute_Unmute",
                                           "line_before_Mute_Unmute",
                                           "frame_Relay_Command",
                                           "line_Relay",
                                           "line_Content_Playback",
                                           "frame_Content_Playback",
                                           "frame_Ref_Of_Playback",
                                           "frame_Option_Of_Playback",
                                           "frame_Webradio_Ref_Of_Playback"};

// Groups of widgets that the window shows together.
const QStringList serial = {"frame_Port", "frame_Baudrate"};
const QStringList tcp = {"frame_IP"};
const QStringList ids = {"frame_ID", "line_ID_and_Folder", "line_after_ID"};
const QStringList folder = {"frame_Folder", "line_ID_and_Folder"};
const QStringList playback = {"frame_Playback_Command", "line_Playback_Command"};
const QStringList fourButtons = {"pushButton_Previous_File", "pushButton_Play", "pushButton_Stop",
                                 "pushButton_Next_File"};
const QStringList sixButtons =
    fourButtons + QStringList{"pushButton_Previous_Folder", "pushButton_Next_Folder"};
const QStringList sevenButtons = sixButtons + QStringList{"pushButton_Pause"};
const QStringList volume = {"frame_Volume", "pushButton_Volume_Less", "pushButton_Volume_More",
                            "line_Volume"};
const QStringList request = {"frame_Request", "line_Request"};
const QStringList other = {"frame_Other_Command", "line_Other_Command"};
const QStringList changeId = {"frame_Change_ID", "line_after_Change_ID"};
const QStringList standby = {"frame_Standby_Wakeup", "line_after_Change_Before_Standby"};
const QStringList muteToggle = {"pushButton_Volume_Mute_Unmute", "line_before_Mute_Unmute"};
// Source entry 0 of both Tunebox models is a folder by number, so its reference list shows.
const QStringList sources = {"frame_Content_Playback", "line_Content_Playback",
                             "frame_Ref_Of_Playback"};

QStringList sorted(QStringList names)
{
    names.removeDuplicates();
    names.sort();
    return names;
}

QStringList numbers(int first, int last, bool padded)
{
    QStringList list;
    for (int n = first; n <= last; ++n)
        list << (padded ? QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'))
                        : QString::number(n));
    return list;
}

QStringList entries(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

const QStringList showcasterRequests = {
    "Player Status",         "Current file",   "Full path name",         "Used storage media",
    "Current folder number", "Remaining time", "Total time of the file", "Volume"};
const QStringList showcasterOthers = {"Volume +",
                                      "Volume -",
                                      "Standby",
                                      "Wakeup",
                                      "Pause",
                                      "Resume",
                                      "Mute",
                                      "Unmute",
                                      "NTP on",
                                      "NTP off",
                                      "Set time",
                                      "Set date",
                                      "Set date/time",
                                      "Set UTC/GMT date/time (epoch version)",
                                      "Set UTC/GMT date/time (full version)"};
const QStringList tuneboxSerialSources = {"MUSIC folder (Random)",
                                          "MUSIC folder (Random + Reset)",
                                          "MUSIC folder (Sequential)",
                                          "MUSIC folder (Sequential + Reset)",
                                          "PLAYLIST folder (Random)",
                                          "PLAYLIST folder (Random + Reset)",
                                          "PLAYLIST folder (Sequential)",
                                          "PLAYLIST folder (Sequential + Reset)",
                                          "SPOT folder (Random)",
                                          "SPOT folder (Sequential)",
                                          "SPOT folder (Random + Reset)",
                                          "SPOT folder (Sequential + Reset)",
                                          "Webradio",
                                          "Alternate: Internal USB",
                                          "Alternate: External USB",
                                          "Alternate: SD card",
                                          "Alternate: Internal HDD",
                                          "Alternate: Aux input"};
const QStringList tuneboxSerialOthers = QStringList{"Mute", "Unmute"} + [] {
    QStringList presets;
    for (int n = 1; n <= 10; ++n)
        presets << QStringLiteral("FTP update: preset %1").arg(n);
    return presets;
}();
const QStringList tuneboxNetworkRequests = {
    "Player status",   "Source",          "Folder type",     "Folder ID",       "Folder mode",
    "Playlist ID",     "Playlist mode",   "Spot ID",         "Spot mode",       "Playing file",
    "Remaining time",  "Volume",          "Webradio ID",     "Webradio 1 name", "Webradio 2 name",
    "Webradio 3 name", "Webradio 4 name", "Webradio 5 name", "Webradio 6 name", "Webradio 7 name",
    "Webradio 8 name", "Webradio 9 name", "Webradio 10 name"};

struct Expected
{
    QStringList shown;
    QStringList baudRates;
    QString baudRate;
    QStringList playerIds;
    QStringList changeIds;
    QStringList folders;
    QStringList requests;
    QStringList others;
    QStringList sources;
    int volumeMax = 0;
    QString portText;
    bool onDemand = false;
};

} // namespace

Q_DECLARE_METATYPE(Expected)

class tst_ModelSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstStart();
    void applyModel_data();
    void applyModel();
    void sameModelAgainResetsSelections();
    void panelsDoNotLeakBetweenModels();

private:
    void activate(MainWindow &window, int index);
};

void tst_ModelSelection::initTestCase()
{
    setConsoleIdentity();
}

void tst_ModelSelection::activate(MainWindow &window, int index)
{
    auto *players = window.findChild<QComboBox *>("comboBox_Player");
    players->setCurrentIndex(index);
    emit players->activated(index);
}

void tst_ModelSelection::firstStart()
{
    MainWindow window;
    auto *players = window.findChild<QComboBox *>("comboBox_Player");
    QCOMPARE(players->count(), 15);
    QCOMPARE(players->currentText(), QString("Timetune"));
    QCOMPARE(players->itemText(6), QString("Tunebox (Serial)"));
    QCOMPARE(players->itemText(14), QString("FB300Qn (legacy)"));
    QVERIFY(window.findChild<QAction *>("action_Default")->isChecked());
    QVERIFY(!window.findChild<QAction *>("action_English")->isChecked());
    QVERIFY(!window.findChild<QAction *>("action_French")->isChecked());
    QVERIFY(window.findChild<QRadioButton *>("radioButton_Sent_Hex")->isChecked());
    QVERIFY(window.findChild<QRadioButton *>("radioButton_Data_ASCII")->isChecked());
    QCOMPARE(window.windowTitle(), QString("Zoxen Console 1.2.7.0"));
}

void tst_ModelSelection::applyModel_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<Expected>("expected");

    const QStringList ids128 = numbers(0, 127, false);
    const QStringList newIds = numbers(1, 127, false);
    const QStringList folders999 = numbers(0, 999, true);
    const QStringList allBauds = {"1200",  "2400",  "4800",  "9600",
                                  "19200", "38400", "57600", "115200"};

    const Expected timetune{serial + ids + folder + playback + sixButtons + volume + other,
                            {"9600", "19200", "38400"},
                            "19200",
                            ids128,
                            {},
                            folders999,
                            {},
                            {"Volume +", "Volume -"},
                            {},
                            64,
                            "( Port number: ...)"};
    const Expected showcasterSerial{serial + ids + folder + playback + sevenButtons + standby +
                                        volume + muteToggle + request + other,
                                    allBauds,
                                    "115200",
                                    ids128,
                                    {},
                                    folders999,
                                    showcasterRequests,
                                    showcasterOthers,
                                    {},
                                    100,
                                    "( Port number: ...)"};
    Expected showcasterNetwork = showcasterSerial;
    showcasterNetwork.shown =
        tcp + folder + playback + sevenButtons + standby + volume + muteToggle + request + other;
    showcasterNetwork.baudRates = QStringList();
    showcasterNetwork.baudRate = "";
    showcasterNetwork.playerIds = QStringList{"0"};
    showcasterNetwork.portText = "( Port number: 65079 )";

    QTest::newRow("Timetune") << 0 << timetune;
    QTest::newRow("Showtune (rev2)") << 1 << timetune;
    QTest::newRow("Showcaster - SC900 (Serial)") << 2 << showcasterSerial;
    QTest::newRow("Showcaster - SC900 (TCP/IP)") << 3 << showcasterNetwork;
    QTest::newRow("Boostbox 1") << 4
                                << Expected{serial + ids + volume + request + other + changeId,
                                            {"4800", "9600", "19200"},
                                            "19200",
                                            ids128,
                                            newIds,
                                            {},
                                            {"Information"},
                                            {"Triggering of the secondary volume (Volume 2)",
                                             "Set baudrate = 4800", "Set baudrate = 9600",
                                             "Set baudrate = 19200"},
                                            {},
                                            56,
                                            "( Port number: ...)"};
    QTest::newRow("Pocketune rev2/3") << 5 << timetune;
    QTest::newRow("Tunebox (Serial)")
        << 6
        << Expected{serial + playback + fourButtons + volume + sources + other,
                    {"115200"},
                    "115200",
                    {"0"},
                    {},
                    {},
                    {},
                    tuneboxSerialOthers,
                    tuneboxSerialSources,
                    64,
                    "( Port number: ...)"};
    QTest::newRow("Tunebox (NX) (TCP/IP)")
        << 7
        << Expected{tcp + playback + fourButtons + volume + sources + request,
                    {},
                    "",
                    {"0"},
                    {},
                    {},
                    tuneboxNetworkRequests,
                    {},
                    tuneboxSerialSources.mid(0, 10) + tuneboxSerialSources.mid(12),
                    64,
                    "( Port number: 1234 )",
                    true};
    QTest::newRow("Framebox - FB5xx (Serial)") << 8 << showcasterSerial;
    QTest::newRow("Framebox - FB5xx (TCP/IP)") << 9 << showcasterNetwork;
    QTest::newRow("FB4xxQ(n) (Serial) (legacy)")
        << 10
        << Expected{serial + ids + folder + playback + sevenButtons + volume + request + changeId,
                    {"19200"},
                    "19200",
                    ids128,
                    newIds,
                    numbers(0, 255, true),
                    showcasterRequests,
                    {},
                    {},
                    31,
                    "( Port number: ...)"};
    QTest::newRow("FB4xxQ(n) (TCP/IP) (legacy)")
        << 11
        << Expected{tcp + folder + playback + sevenButtons + volume + request,
                    {},
                    "",
                    {"0"},
                    {},
                    folders999,
                    showcasterRequests,
                    {},
                    {},
                    31,
                    "( Port number: 65079 )"};
    QTest::newRow("Pocketune (legacy)")
        << 12
        << Expected{serial + ids + folder + playback + fourButtons + volume,
                    {"19200"},
                    "19200",
                    ids128,
                    {},
                    folders999,
                    {},
                    {},
                    {},
                    31,
                    "( Port number: ...)"};
    QTest::newRow("Cardtune QX (legacy)")
        << 13
        << Expected{serial + ids + folder + playback + fourButtons +
                        QStringList{"pushButton_Pause"} + volume + changeId,
                    {"9600"},
                    "9600",
                    ids128,
                    newIds,
                    numbers(0, 127, true),
                    {},
                    {},
                    {},
                    31,
                    "( Port number: ...)"};
    QTest::newRow("FB300Qn (legacy)")
        << 14
        << Expected{serial + ids + folder + playback + fourButtons + volume + changeId,
                    {"19200"},
                    "19200",
                    ids128,
                    newIds,
                    numbers(0, 127, true),
                    {},
                    {},
                    {},
                    13,
                    "( Port number: ...)"};
}

void tst_ModelSelection::applyModel()
{
    QFETCH(int, index);
    QFETCH(Expected, expected);

    MainWindow window;
    activate(window, index);

    QStringList shown;
    for (const QString &name : modelDependentWidgets) {
        auto *widget = window.findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        if (!widget->isHidden())
            shown << name;
    }
    QCOMPARE(sorted(shown), sorted(expected.shown));

    auto *baudRates = window.findChild<QComboBox *>("comboBox_Baudrate");
    QCOMPARE(entries(baudRates), expected.baudRates);
    QCOMPARE(baudRates->currentText(), expected.baudRate);
    auto *playerIds = window.findChild<QComboBox *>("comboBox_ID");
    QCOMPARE(entries(playerIds), expected.playerIds);
    QCOMPARE(playerIds->currentIndex(), 0);
    QCOMPARE(entries(window.findChild<QComboBox *>("comboBox_Change_ID")), expected.changeIds);
    auto *folders = window.findChild<QComboBox *>("comboBox_Folder");
    QCOMPARE(entries(folders), expected.folders);
    QCOMPARE(folders->currentIndex(), expected.folders.isEmpty() ? -1 : 0);
    QCOMPARE(entries(window.findChild<QComboBox *>("comboBox_Request")), expected.requests);
    QCOMPARE(entries(window.findChild<QComboBox *>("comboBox_Other_Command")), expected.others);
    QCOMPARE(entries(window.findChild<QComboBox *>("comboBox_Source_Of_Playback")),
             expected.sources);

    auto *slider = window.findChild<QSlider *>("horizontalSlider_Volume");
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), expected.volumeMax);
    QCOMPARE(slider->value(), expected.volumeMax);
    QCOMPARE(window.findChild<QLabel *>("label_IP_Port")->text(), expected.portText);

    // Without a link only the on-demand model has its commands usable.
    const bool onDemand = expected.onDemand;
    QCOMPARE(!window.findChild<QCheckBox *>("checkBox_Auto_connection")->isHidden(), !onDemand);
    QCOMPARE(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled(), !onDemand);
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled());
    QCOMPARE(window.findChild<QWidget *>("frame_Commands")->isEnabled(), onDemand);
    QCOMPARE(window.findChild<QWidget *>("frame_Baudrate")->isEnabled(),
             !expected.baudRates.isEmpty());
    QVERIFY(window.findChild<QWidget *>("frame_Settings")->isEnabled());
    QVERIFY(window.findChild<QWidget *>("frame_Player")->isEnabled());
    QVERIFY(window.findChild<QLabel *>("label_Connection_Message")->isHidden());
}

void tst_ModelSelection::sameModelAgainResetsSelections()
{
    MainWindow window;
    activate(window, 2);
    auto *folders = window.findChild<QComboBox *>("comboBox_Folder");
    auto *baudRates = window.findChild<QComboBox *>("comboBox_Baudrate");
    auto *playerIds = window.findChild<QComboBox *>("comboBox_ID");
    auto *others = window.findChild<QComboBox *>("comboBox_Other_Command");
    folders->setCurrentIndex(130);
    baudRates->setCurrentIndex(0);
    playerIds->setCurrentIndex(5);
    others->setCurrentIndex(3);

    activate(window, 2);
    QCOMPARE(folders->currentText(), QString("000"));
    QCOMPARE(baudRates->currentText(), QString("115200"));
    QCOMPARE(playerIds->currentText(), QString("0"));
    QCOMPARE(others->currentText(), QString("Volume +"));
    QCOMPARE(folders->count(), 1000);
}

// Every model after the one that shows the most: nothing of the earlier model may survive.
void tst_ModelSelection::panelsDoNotLeakBetweenModels()
{
    MainWindow reused;
    auto *players = reused.findChild<QComboBox *>("comboBox_Player");
    for (int index = 0; index < players->count(); ++index) {
        activate(reused, 2);
        activate(reused, index);
        MainWindow fresh;
        activate(fresh, index);
        for (const QString &name : modelDependentWidgets) {
            QCOMPARE(reused.findChild<QWidget *>(name)->isHidden(),
                     fresh.findChild<QWidget *>(name)->isHidden());
        }
        for (const char *list : {"comboBox_Request", "comboBox_Other_Command", "comboBox_Folder",
                                 "comboBox_Change_ID", "comboBox_ID", "comboBox_Baudrate"}) {
            QCOMPARE(entries(reused.findChild<QComboBox *>(list)),
                     entries(fresh.findChild<QComboBox *>(list)));
        }
    }
}

QTEST_MAIN(tst_ModelSelection)
#include "tst_modelselection.moc"
