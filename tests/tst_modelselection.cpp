#include "app/mainwindow.h"
#include "consoleidentity.h"
#include "testtable.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QtTest>

namespace {

QStringList sorted(QStringList names)
{
    names.removeDuplicates();
    names.sort();
    return names;
}

// Entries separated by ";", where "0..127" or "000..999" stands for every number between.
QStringList listOf(const QString &text)
{
    QStringList list;
    for (const QString &item : text.split(';', Qt::SkipEmptyParts)) {
        const QStringList range = item.trimmed().split(QStringLiteral(".."));
        if (range.size() == 1)
            list << range.first();
        for (int n = range.first().toInt(); range.size() == 2 && n <= range.last().toInt(); ++n)
            list << QStringLiteral("%1").arg(n, range.first().size(), 10, QLatin1Char('0'));
    }
    return list;
}

const QStringList fields = {"shown",      "baud rates", "baud rate", "ids",
                            "change ids", "folders",    "requests",  "others",
                            "sources",    "volume",     "port",      "on demand"};

} // namespace

class tst_ModelSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void applyModel_data();
    void applyModel();
    void sameModelAgainResetsSelections();
    void panelsDoNotLeakBetweenModels();
    void sourceOfPlayback_data();
    void sourceOfPlayback();

private:
    QVector<QStringList> m_table;
    QMap<QString, QStringList> m_groups;
    // Every widget that shows or hides with the model: those of all the groups.
    QStringList m_modelDependent;
};

void tst_ModelSelection::initTestCase()
{
    setConsoleIdentity();
    TestTable table(QStringLiteral("modelselection/models.txt"));
    QVERIFY2(table.holds(163), table.problem());
    m_table = table.rows();
    for (const QStringList &row : qAsConst(m_table)) {
        if (row.first().startsWith(QLatin1String("group "))) {
            const QStringList names = row.first().section(" = ", 1).split(' ');
            m_groups.insert(row.first().section(' ', 1, 1), names);
            m_modelDependent += names;
        }
    }
    m_modelDependent = sorted(m_modelDependent);
    QCOMPARE(m_modelDependent.size(), 37);
}

void tst_ModelSelection::applyModel_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QVariantMap>("expected");

    QStringList models;
    QVariantMap expected;
    int added = 0;
    const auto addRows = [&] {
        QVERIFY2(QStringList(expected.keys()) == sorted(fields), qPrintable(models.join(", ")));
        QStringList shown;
        for (const QString &group : expected.value("shown").toString().split(' ')) {
            QVERIFY2(m_groups.contains(group), qPrintable(group));
            shown += m_groups.value(group);
        }
        for (const QString &model : qAsConst(models)) {
            QVERIFY2(modelIndex(model) >= 0, qPrintable(model));
            QTest::newRow(qPrintable(model)) << modelIndex(model) << sorted(shown) << expected;
            ++added;
        }
        models.clear();
        expected.clear();
    };
    for (const QStringList &row : qAsConst(m_table)) {
        const QString &line = row.first();
        if (line.startsWith('[')) {
            if (!expected.isEmpty())
                addRows();
            models << line.mid(1, line.size() - 2);
        } else if (!line.startsWith(QLatin1String("group "))) {
            QVERIFY2(row.size() == 2 && fields.contains(row.first()), qPrintable(row.join('|')));
            expected.insert(row.first(), row.last());
        }
    }
    addRows();
    QCOMPARE(added, 15);
}

void tst_ModelSelection::applyModel()
{
    QFETCH(int, index);
    QFETCH(QStringList, shown);
    QFETCH(QVariantMap, expected);
    const auto text = [&expected](const char *field) {
        return expected.value(field).toString();
    };

    MainWindow window;
    chooseModel(window, index);

    QStringList actual;
    for (const QString &name : qAsConst(m_modelDependent)) {
        auto *widget = window.findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        if (!widget->isHidden())
            actual << name;
    }
    QCOMPARE(actual, shown);

    const std::pair<const char *, const char *> lists[] = {
        {"comboBox_Baudrate", "baud rates"},       {"comboBox_ID", "ids"},
        {"comboBox_Change_ID", "change ids"},      {"comboBox_Folder", "folders"},
        {"comboBox_Request", "requests"},          {"comboBox_Other_Command", "others"},
        {"comboBox_Source_Of_Playback", "sources"}};
    for (const auto &[list, field] : lists) {
        const QStringList actualEntries = entries(window.findChild<QComboBox *>(list));
        QVERIFY2(actualEntries == listOf(text(field)),
                 qPrintable(list + QStringLiteral(": ") + actualEntries.join("; ")));
    }
    QCOMPARE(window.findChild<QComboBox *>("comboBox_Baudrate")->currentText(), text("baud rate"));
    QCOMPARE(window.findChild<QComboBox *>("comboBox_ID")->currentIndex(), 0);
    QCOMPARE(window.findChild<QComboBox *>("comboBox_Folder")->currentIndex(),
             text("folders").isEmpty() ? -1 : 0);

    auto *slider = window.findChild<QSlider *>("horizontalSlider_Volume");
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), text("volume").toInt());
    QCOMPARE(slider->value(), text("volume").toInt());
    QCOMPARE(window.findChild<QLabel *>("label_IP_Port")->text(), text("port"));

    // Without a link only the on-demand model has its commands usable.
    const bool onDemand = text("on demand") == "yes";
    QCOMPARE(!window.findChild<QCheckBox *>("checkBox_Auto_connection")->isHidden(), !onDemand);
    QCOMPARE(window.findChild<QPushButton *>("pushButton_Connect")->isEnabled(), !onDemand);
    QVERIFY(!window.findChild<QPushButton *>("pushButton_Disconnect")->isEnabled());
    QCOMPARE(window.findChild<QWidget *>("frame_Playback_Command")->isEnabled(), onDemand);
    QCOMPARE(window.findChild<QWidget *>("frame_Baudrate")->isEnabled(),
             !text("baud rates").isEmpty());
    QVERIFY(window.findChild<QWidget *>("frame_Settings")->isEnabled());
    QVERIFY(window.findChild<QWidget *>("frame_Player")->isEnabled());
    QVERIFY(window.findChild<QLabel *>("label_Connection_Message")->isHidden());
}

void tst_ModelSelection::sameModelAgainResetsSelections()
{
    MainWindow window;
    chooseModel(window, 2);
    auto *folders = window.findChild<QComboBox *>("comboBox_Folder");
    auto *baudRates = window.findChild<QComboBox *>("comboBox_Baudrate");
    auto *playerIds = window.findChild<QComboBox *>("comboBox_ID");
    auto *others = window.findChild<QComboBox *>("comboBox_Other_Command");
    folders->setCurrentIndex(130);
    baudRates->setCurrentIndex(0);
    playerIds->setCurrentIndex(5);
    others->setCurrentIndex(3);

    chooseModel(window, 2);
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
        chooseModel(reused, 2);
        chooseModel(reused, index);
        MainWindow fresh;
        chooseModel(fresh, index);
        for (const QString &name : qAsConst(m_modelDependent)) {
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
    // First and last entry and count of each number list; "" for a list left empty and hidden.
    QTest::addColumn<QString>("references");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("presets");

    for (const QString &model :
         {QStringLiteral("Tunebox (Serial)"), QStringLiteral("Tunebox (NX) (TCP/IP)")}) {
        QTest::addRow("%s/folder", qPrintable(model)) << model << "MUSIC folder (Random)"
                                                      << "001..999 (999)"
                                                      << ""
                                                      << "";
        QTest::addRow("%s/webradio", qPrintable(model)) << model << "Webradio"
                                                        << ""
                                                        << ""
                                                        << "001..010 (10)";
        QTest::addRow("%s/alternate source", qPrintable(model)) << model << "Alternate: SD card"
                                                                << ""
                                                                << ""
                                                                << "";
    }
    QTest::newRow("Tunebox (Serial)/folder with option") << "Tunebox (Serial)"
                                                         << "SPOT folder (Random + Reset)"
                                                         << "001..999 (999)"
                                                         << "001..255 (255)"
                                                         << "";
}

void tst_ModelSelection::sourceOfPlayback()
{
    QFETCH(QString, model);
    QFETCH(QString, source);
    QFETCH(QString, references);
    QFETCH(QString, options);
    QFETCH(QString, presets);

    MainWindow window;
    chooseModel(window, modelIndex(model));
    // From a source with other lists, so that each list must be emptied as well as filled.
    QVERIFY(chooseEntry(window, "comboBox_Source_Of_Playback", "Webradio"));
    QVERIFY(chooseEntry(window, "comboBox_Source_Of_Playback", "MUSIC folder (Random)"));
    QVERIFY(chooseEntry(window, "comboBox_Source_Of_Playback", source));

    const auto summary = [&](const char *list, const char *frame) {
        const QStringList numbers = entries(window.findChild<QComboBox *>(list));
        const bool shown = !window.findChild<QWidget *>(frame)->isHidden();
        if (numbers.isEmpty())
            return QString(shown ? "shown but empty" : "");
        return QStringLiteral("%1..%2 (%3)%4")
            .arg(numbers.first(), numbers.last())
            .arg(numbers.size())
            .arg(shown ? "" : " hidden");
    };
    QCOMPARE(summary("comboBox_Ref_Of_Playback", "frame_Ref_Of_Playback"), references);
    QCOMPARE(summary("comboBox_Option_Of_Playback", "frame_Option_Of_Playback"), options);
    QCOMPARE(summary("comboBox_Webradio_Ref_Of_Playback", "frame_Webradio_Ref_Of_Playback"),
             presets);
}

QTEST_MAIN(tst_ModelSelection)
#include "tst_modelselection.moc"
