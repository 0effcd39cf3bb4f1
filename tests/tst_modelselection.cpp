#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

namespace {

// The widgets that the window shows together; every one of them depends on the model.
const QMap<QString, QStringList> groups = {
    {"serial", {"frame_Port", "frame_Baudrate"}},
    {"tcp", {"frame_IP"}},
    {"ids", {"frame_ID", "line_ID_and_Folder", "line_after_ID"}},
    {"folder", {"frame_Folder", "line_ID_and_Folder"}},
    {"playback", {"frame_Playback_Command", "line_Playback_Command"}},
    {"fileButtons",
     {"pushButton_Previous_File", "pushButton_Play", "pushButton_Stop", "pushButton_Next_File"}},
    {"folderButtons", {"pushButton_Previous_Folder", "pushButton_Next_Folder"}},
    {"pause", {"pushButton_Pause"}},
    {"volume", {"frame_Volume", "pushButton_Volume_Less", "pushButton_Volume_More", "line_Volume"}},
    {"request", {"frame_Request", "line_Request"}},
    {"other", {"frame_Other_Command", "line_Other_Command"}},
    {"changeId", {"frame_Change_ID", "line_after_Change_ID"}},
    {"standby", {"frame_Standby_Wakeup", "line_after_Change_Before_Standby"}},
    {"muteToggle", {"pushButton_Volume_Mute_Unmute", "line_before_Mute_Unmute"}},
    // Source entry 0 of both Tunebox models is a folder by number, so its reference list shows.
    {"sources", {"frame_Content_Playback", "line_Content_Playback", "frame_Ref_Of_Playback"}},
    {"never",
     {"frame_Relay_Command", "line_Relay", "frame_Option_Of_Playback",
      "frame_Webradio_Ref_Of_Playback"}}};

QStringList widgetsOf(const QString &groupNames)
{
    QStringList names;
    for (const QString &group : groupNames.split(' ', Qt::SkipEmptyParts))
        names += groups.value(group);
    names.removeDuplicates();
    names.sort();
    return names;
}

const QStringList modelDependent = widgetsOf(QStringList(groups.keys()).join(' '));

// A list as "first..last (count)", "" when empty.
QString summary(const QComboBox *list)
{
    const QStringList all = entries(list);
    return all.isEmpty()
               ? QString()
               : QStringLiteral("%1..%2 (%3)").arg(all.first(), all.last()).arg(all.size());
}

} // namespace

class tst_ModelSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    void applyModel_data();
    void applyModel();
    void sameModelAgainResetsSelections();
    void panelsDoNotLeakBetweenModels();
    void sourceOfPlayback_data();
    void sourceOfPlayback();
};

void tst_ModelSelection::applyModel_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("baudRate");
    // "first..last (count)" of the ID, change-ID and folder lists.
    QTest::addColumn<QStringList>("numbers");
    // Entries of the request, other-command and playback-source lists.
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<int>("volume");
    QTest::addColumn<QString>("port");

    const auto rows = [](const QStringList &models, const char *shown, const char *baudRate,
                         const QStringList &numbers, const QList<int> &counts, int volume,
                         const char *port) {
        for (const QString &model : models)
            QTest::newRow(qPrintable(model)) << shown << baudRate << numbers << counts << volume
                                             << QString("( Port number: %1)").arg(port);
    };
    const QString ids = "0..127 (128)";
    rows({"Timetune", "Showtune (rev2)", "Pocketune rev2/3"},
         "serial ids folder playback fileButtons folderButtons volume other", "19200",
         {ids, "", "000..999 (1000)"}, {0, 2, 0}, 64, "...");
    rows({"Showcaster - SC900 (Serial)", "Framebox - FB5xx (Serial)"},
         "serial ids folder playback fileButtons folderButtons pause standby volume muteToggle "
         "request other",
         "115200", {ids, "", "000..999 (1000)"}, {8, 15, 0}, 100, "...");
    rows({"Showcaster - SC900 (TCP/IP)", "Framebox - FB5xx (TCP/IP)"},
         "tcp folder playback fileButtons folderButtons pause standby volume muteToggle request "
         "other",
         "", {"0..0 (1)", "", "000..999 (1000)"}, {8, 15, 0}, 100, "65079 ");
    rows({"Boostbox 1"}, "serial ids volume request other changeId", "19200",
         {ids, "1..127 (127)", ""}, {1, 4, 0}, 56, "...");
    rows({"Tunebox (Serial)"}, "serial playback fileButtons volume sources other", "115200",
         {"0..0 (1)", "", ""}, {0, 12, 18}, 64, "...");
    rows({"Tunebox (NX) (TCP/IP)"}, "tcp playback fileButtons volume sources request", "",
         {"0..0 (1)", "", ""}, {23, 0, 16}, 64, "1234 ");
    rows({"FB4xxQ(n) (Serial) (legacy)"},
         "serial ids folder playback fileButtons folderButtons pause volume request changeId",
         "19200", {ids, "1..127 (127)", "000..255 (256)"}, {8, 0, 0}, 31, "...");
    rows({"FB4xxQ(n) (TCP/IP) (legacy)"},
         "tcp folder playback fileButtons folderButtons pause volume request", "",
         {"0..0 (1)", "", "000..999 (1000)"}, {8, 0, 0}, 31, "65079 ");
    rows({"Pocketune (legacy)"}, "serial ids folder playback fileButtons volume", "19200",
         {ids, "", "000..999 (1000)"}, {0, 0, 0}, 31, "...");
    rows({"Cardtune QX (legacy)"}, "serial ids folder playback fileButtons pause volume changeId",
         "9600", {ids, "1..127 (127)", "000..127 (128)"}, {0, 0, 0}, 31, "...");
    rows({"FB300Qn (legacy)"}, "serial ids folder playback fileButtons volume changeId", "19200",
         {ids, "1..127 (127)", "000..127 (128)"}, {0, 0, 0}, 13, "...");
}

void tst_ModelSelection::applyModel()
{
    QFETCH(QString, shown);
    QFETCH(QString, baudRate);
    QFETCH(QStringList, numbers);
    QFETCH(QList<int>, counts);
    QFETCH(int, volume);
    QFETCH(QString, port);

    const int index = modelIndex(QString::fromUtf8(QTest::currentDataTag()));
    QVERIFY(index >= 0);
    MainWindow window;
    chooseModel(window, index);

    QStringList actual;
    for (const QString &name : modelDependent) {
        if (!window.findChild<QWidget *>(name)->isHidden())
            actual << name;
    }
    QCOMPARE(actual, widgetsOf(shown));

    QStringList rates;
    for (qint32 rate : PlayerCatalogue.at(index).baudRates)
        rates << QString::number(rate);
    const auto list = [&window](const char *name) {
        return window.findChild<QComboBox *>(name);
    };
    QCOMPARE(entries(list("comboBox_Baudrate")), rates);
    QCOMPARE(list("comboBox_Baudrate")->currentText(), baudRate);
    QCOMPARE(QStringList({summary(list("comboBox_ID")), summary(list("comboBox_Change_ID")),
                          summary(list("comboBox_Folder"))}),
             numbers);
    QCOMPARE(list("comboBox_ID")->currentIndex(), 0);
    QCOMPARE(list("comboBox_Folder")->currentIndex(), numbers.last().isEmpty() ? -1 : 0);
    QCOMPARE(QList<int>({list("comboBox_Request")->count(), list("comboBox_Other_Command")->count(),
                         list("comboBox_Source_Of_Playback")->count()}),
             counts);

    auto *slider = window.findChild<QSlider *>("horizontalSlider_Volume");
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), volume);
    QCOMPARE(slider->value(), volume);
    QCOMPARE(window.findChild<QLabel *>("label_IP_Port")->text(), port);

    // Without a link only the on-demand model has its commands usable.
    const bool onDemand = PlayerCatalogue.at(index).isOnDemand();
    QCOMPARE(window.findChild<QCheckBox *>("checkBox_Auto_connection")->isHidden(), onDemand);
    QCOMPARE(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled(), !onDemand);
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled());
    QCOMPARE(window.findChild<QWidget *>("frame_Playback_Command")->isEnabled(), onDemand);
    QCOMPARE(window.findChild<QWidget *>("frame_Baudrate")->isEnabled(), !rates.isEmpty());
    QVERIFY(window.findChild<QLabel *>("label_Connection_Message")->isHidden());
}

void tst_ModelSelection::sameModelAgainResetsSelections()
{
    MainWindow window;
    chooseModel(window, 2);
    const char *lists[] = {"comboBox_Folder", "comboBox_Baudrate", "comboBox_ID",
                           "comboBox_Other_Command"};
    for (const char *list : lists)
        window.findChild<QComboBox *>(list)->setCurrentIndex(3);

    chooseModel(window, 2);
    QStringList current;
    for (const char *list : lists)
        current << window.findChild<QComboBox *>(list)->currentText();
    QCOMPARE(current, QStringList({"000", "115200", "0", "Volume +"}));
    QCOMPARE(window.findChild<QComboBox *>("comboBox_Folder")->count(), 1000);
}

// Every model after the one that shows the most: nothing of the earlier model may survive.
void tst_ModelSelection::panelsDoNotLeakBetweenModels()
{
    MainWindow reused;
    for (int index = 0; index < PlayerCatalogue.size(); ++index) {
        chooseModel(reused, 2);
        chooseModel(reused, index);
        MainWindow fresh;
        chooseModel(fresh, index);
        for (const QString &name : modelDependent) {
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

void tst_ModelSelection::sourceOfPlayback_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("source");
    // The reference, option and webradio preset lists; "" for a list left empty and hidden.
    QTest::addColumn<QStringList>("lists");

    for (const char *model : {"Tunebox (Serial)", "Tunebox (NX) (TCP/IP)"}) {
        QTest::addRow("%s/folder", model)
            << model << "MUSIC folder (Random)" << QStringList{"001..999 (999)", "", ""};
        QTest::addRow("%s/webradio", model)
            << model << "Webradio" << QStringList{"", "", "001..010 (10)"};
        QTest::addRow("%s/alternate source", model)
            << model << "Alternate: SD card" << QStringList{"", "", ""};
    }
    QTest::newRow("Tunebox (Serial)/folder with option")
        << "Tunebox (Serial)"
        << "SPOT folder (Random + Reset)" << QStringList{"001..999 (999)", "001..255 (255)", ""};
}

void tst_ModelSelection::sourceOfPlayback()
{
    QFETCH(QString, model);
    QFETCH(QString, source);
    QFETCH(QStringList, lists);

    MainWindow window;
    chooseModel(window, modelIndex(model));
    // From a source with other lists, so that each list must be emptied as well as filled.
    QVERIFY(chooseEntry(window, "comboBox_Source_Of_Playback", "Webradio"));
    QVERIFY(chooseEntry(window, "comboBox_Source_Of_Playback", "MUSIC folder (Random)"));
    QVERIFY(chooseEntry(window, "comboBox_Source_Of_Playback", source));

    QStringList actual;
    for (const char *name : {"Ref_Of_Playback", "Option_Of_Playback", "Webradio_Ref_Of_Playback"}) {
        const QString text = summary(window.findChild<QComboBox *>(QString("comboBox_") + name));
        const bool shown = !window.findChild<QWidget *>(QString("frame_") + name)->isHidden();
        actual << (text.isEmpty() == shown ? text + " shown: " + QString::number(shown) : text);
    }
    QCOMPARE(actual, lists);
}

QTEST_MAIN(tst_ModelSelection)
#include "tst_modelselection.moc"
