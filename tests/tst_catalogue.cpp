#include "catalogue/playercatalogue.h"
#include "connection/linksettings.h"

#include <QSet>
#include <QtTest>

#include <algorithm>

namespace {

// The list that shows a command by its label: requests, playback sources or other commands;
// 0 for a command that a control of its own sends.
int listOf(int category)
{
    using namespace CommandCategory;
    if (category == Request)
        return 1;
    if (category >= ContentFolder && category <= AlternateSource)
        return 2;
    const QVector<int> others{VolumeUp,    VolumeDown,  Standby,        Wakeup,  PauseOnly,
                              Resume,      Mute,        Unmute,         SetTime, SetDate,
                              SetDateTime, SetUtcEpoch, SetUtcDateTime, Ntp,     Misc};
    return others.contains(category) ? 3 : 0;
}

} // namespace

// Rules that every model of the catalogue keeps; its bytes themselves are checked by the frames
// that the window sends and the simulated device answers.
class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void invariants_data();
    void invariants();
    void lookups_data();
    void lookups();

private:
    const PlayerCatalogueList catalogue = buildCatalogueModels();
};

void tst_Catalogue::invariants_data()
{
    QTest::addColumn<int>("index");
    QCOMPARE(catalogue.size(), 15);
    for (int index = 0; index < catalogue.size(); ++index)
        QTest::newRow(qPrintable(catalogue.at(index).name)) << index;
}

void tst_Catalogue::invariants()
{
    QFETCH(int, index);
    const PlayerModel &model = catalogue.at(index);
    using namespace CommandCategory;

    // A button or slider sends the one command of its category.
    for (int category : {Folder, PreviousFolder, PreviousFile, Play, Stop, Pause, NextFile,
                         NextFolder, Volume, ChangeId, StandbyWakeup, MuteToggle}) {
        QVERIFY2(std::count_if(model.commands.begin(), model.commands.end(),
                               [&](const PlayerCommand &c) { return c.category == category; }) <= 1,
                 qPrintable(QString::number(category)));
    }
    QSet<QPair<int, QString>> listed;
    for (const PlayerCommand &command : model.commands) {
        const QByteArray what = command.label.toUtf8();
        // Lists show commands by label: a repeated one could never be chosen.
        const QPair<int, QString> entry{listOf(command.category), command.label};
        QVERIFY2(entry.first == 0 || !listed.contains(entry), what);
        listed.insert(entry);
        QVERIFY2(!command.dataMin.isEmpty(), what);
        QCOMPARE(command.dataMax.size(), command.dataMin.size());
        for (int i = 0; i < command.dataMin.size(); ++i)
            QVERIFY2(command.dataMin.at(i) <= command.dataMax.at(i), what);
        // Addressed frames start at the ID byte, the only byte with its top bit set.
        if (model.protocol == 0) {
            const int banks = command.category == Folder ? model.folderBanks : 1;
            QVERIFY2(command.code + 16 * (banks - 1) < 0x80, what);
            for (quint8 byte : command.dataMax)
                QVERIFY2(byte < 0x80, what);
        }
    }

    if (model.isTcp()) {
        QVERIFY(model.baudRates.isEmpty());
        QCOMPARE(model.maxId, quint8(0));
        QVERIFY(model.tcpPort != 0);
    } else {
        QCOMPARE(model.tcpPort, quint16(0));
        QVERIFY(model.baudRates.contains(model.defaultBaudRate));
        for (qint32 rate : model.baudRates)
            QCOMPARE(acceptedBaudRate(rate), rate);
    }

    if (!model.isOnDemand())
        return;
    // Each text command names, in decimal, the code of the same command on the serial model.
    const auto serial = std::find_if(catalogue.begin(), catalogue.end(), [&](const PlayerModel &m) {
        return m.protocol == model.protocol && !m.isTcp();
    });
    QVERIFY(serial != catalogue.end());
    int compared = 0;
    for (const PlayerCommand &command : model.commands) {
        const PlayerCommand *twin = serial->commandByLabel(command.label, command.category);
        if (command.code != 0x04 || !twin)
            continue;
        QCOMPARE(QString::fromLatin1(command.storedText()), QString::number(twin->code));
        ++compared;
    }
    QVERIFY(compared > 10);
}

void tst_Catalogue::lookups_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("code");

    // An empty label looks up by category alone; the code and first data byte, -1 for none.
    QTest::newRow("SC900 Serial/request Volume") << 2 << "Volume" << 10 << 0x040B;
    QTest::newRow("SC900 Serial/Volume of category 9") << 2 << "Volume" << 9 << 0x0300;
    QTest::newRow("SC900 Serial/Volume of any category") << 2 << "Volume" << -1 << 0x0300;
    QTest::newRow("SC900 Serial/label is case-sensitive") << 2 << "volume" << -1 << -1;
    QTest::newRow("SC900 Serial/Play is no request") << 2 << "Play" << 10 << -1;
    QTest::newRow("SC900 Serial/first of category Request") << 2 << "" << 10 << 0x0401;
    QTest::newRow("Pocketune legacy/no pause") << 12 << "" << 6 << -1;
}

void tst_Catalogue::lookups()
{
    QFETCH(int, model);
    QFETCH(QString, label);
    QFETCH(int, category);
    QFETCH(int, code);

    const PlayerModel &entry = catalogue.at(model);
    const PlayerCommand *command =
        label.isEmpty() ? entry.commandOfCategory(category) : entry.commandByLabel(label, category);
    QCOMPARE(command ? command->code * 256 + command->dataMin.value(0) : -1, code);
}

QTEST_APPLESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
