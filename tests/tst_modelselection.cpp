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

} // namespace

class tst_ModelSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setConsoleIdentity(); }
    void applyModel_data();
    void applyModel();
};

// What the window shows, then "rate | list sizes | volume range | port label | usable without a
// link"; the lists are those of the ID, change-ID, folder, request, other-command and
// playback-source.
void tst_ModelSelection::applyModel_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("summary");

    const auto rows = [](const QStringList &models, const char *shown, const char *summary) {
        for (const QString &model : models)
            QTest::newRow(qPrintable(model)) << shown << summary;
    };
    rows({"Timetune", "Showtune (rev2)", "Pocketune rev2/3"},
         "serial ids folder playback fileButtons folderButtons volume other",
         "19200 | 128 0 1000 0 2 0 | 0-64 | ( Port number: ...) | connect auto");
    rows({"Showcaster - SC900 (Serial)", "Framebox - FB5xx (Serial)"},
         "serial ids folder playback fileButtons folderButtons pause standby volume muteToggle "
         "request other",
         "115200 | 128 0 1000 8 15 0 | 0-100 | ( Port number: ...) | connect auto");
    rows({"Showcaster - SC900 (TCP/IP)", "Framebox - FB5xx (TCP/IP)"},
         "tcp folder playback fileButtons folderButtons pause standby volume muteToggle request "
         "other",
         " | 1 0 1000 8 15 0 | 0-100 | ( Port number: 65079 ) | connect auto");
    rows({"Boostbox 1"}, "serial ids volume request other changeId",
         "19200 | 128 127 0 1 4 0 | 0-56 | ( Port number: ...) | connect auto");
    rows({"Tunebox (Serial)"}, "serial playback fileButtons volume sources other",
         "115200 | 1 0 0 0 12 18 | 0-64 | ( Port number: ...) | connect auto");
    rows({"Tunebox (NX) (TCP/IP)"}, "tcp playback fileButtons volume sources request",
         " | 1 0 0 23 0 16 | 0-64 | ( Port number: 1234 ) | playback");
    rows({"FB4xxQ(n) (Serial) (legacy)"},
         "serial ids folder playback fileButtons folderButtons pause volume request changeId",
         "19200 | 128 127 256 8 0 0 | 0-31 | ( Port number: ...) | connect auto");
    rows({"FB4xxQ(n) (TCP/IP) (legacy)"},
         "tcp folder playback fileButtons folderButtons pause volume request",
         " | 1 0 1000 8 0 0 | 0-31 | ( Port number: 65079 ) | connect auto");
    rows({"Pocketune (legacy)"}, "serial ids folder playback fileButtons volume",
         "19200 | 128 0 1000 0 0 0 | 0-31 | ( Port number: ...) | connect auto");
    rows({"Cardtune QX (legacy)"}, "serial ids folder playback fileButtons pause volume changeId",
         "9600 | 128 127 128 0 0 0 | 0-31 | ( Port number: ...) | connect auto");
    rows({"FB300Qn (legacy)"}, "serial ids folder playback fileButtons volume changeId",
         "19200 | 128 127 128 0 0 0 | 0-13 | ( Port number: ...) | connect auto");
}

void tst_ModelSelection::applyModel()
{
    QFETCH(QString, shown);
    QFETCH(QString, summary);

    MainWindow window;
    // Entries chosen for the model before, which the next one's lists start again from.
    for (QComboBox *list : window.findChildren<QComboBox *>())
        list->setCurrentIndex(list->count() - 1);
    chooseModel(window, modelIndex(QString::fromUtf8(QTest::currentDataTag())));
    QStringList actual;
    for (const QString &name : widgetsOf(QStringList(groups.keys()).join(' '))) {
        if (!window.findChild<QWidget *>(name)->isHidden())
            actual << name;
    }
    QCOMPARE(actual, widgetsOf(shown));

    QStringList lists;
    for (const char *list :
         {"ID", "Change_ID", "Folder", "Request", "Other_Command", "Source_Of_Playback"}) {
        auto *entries = window.findChild<QComboBox *>(QString("comboBox_") + list);
        const bool atFirst = entries->currentIndex() == (entries->count() > 0 ? 0 : -1);
        lists << QString::number(entries->count()) + (atFirst ? "" : " not at its first entry");
    }
    auto *volume = window.findChild<QSlider *>("horizontalSlider_Volume");
    QStringList usable;
    for (const char *name :
         {"pushButton_Connect", "checkBox_Auto_connection", "frame_Playback_Command"}) {
        auto *widget = window.findChild<QWidget *>(name);
        if (widget->isEnabled() && !widget->isHidden())
            usable << QString(name).section('_', 1, 1).toLower();
    }
    QCOMPARE(QStringList({window.findChild<QComboBox *>("comboBox_Baudrate")->currentText(),
                          lists.join(' '),
                          QStringLiteral("%1-%2").arg(volume->minimum()).arg(volume->value()),
                          window.findChild<QLabel *>("label_IP_Port")->text(), usable.join(' ')})
                 .join(" | "),
             summary);
    QCOMPARE(volume->value(), volume->maximum());
}

QTEST_MAIN(tst_ModelSelection)
#include "tst_modelselection.moc"
