#include "catalogue/playercatalogue.h"
#include "testtable.h"

#include <QSet>
#include <QtTest>

#include <algorithm>

namespace {

// One command list and the models that share it.
struct CommandList
{
    QVector<int> models;
    QVector<QStringList> rows;
};

QString hex(const ByteList &bytes)
{
    QStringList parts;
    for (quint8 byte : bytes)
        parts << QString::asprintf("%02X", byte);
    return parts.join(' ');
}

QString codeText(quint8 code)
{
    return QString::asprintf("0x%02X", code);
}

QString describe(const PlayerCommand *command)
{
    if (!command)
        return QStringLiteral("none");
    return codeText(command->code) + ": " + hex(command->dataMin);
}

// The combo box that lists a command by its label, 1 to 3; 0 for commands found by category.
int comboOf(int category)
{
    using namespace CommandCategory;
    const QVector<QVector<int>> combos = {
        {Request},
        {ContentFolder, ContentFolderOption, Webradio, AlternateSource},
        {VolumeUp, VolumeDown, Standby, Wakeup, PauseOnly, Resume, Mute, Unmute, SetTime, SetDate,
         SetDateTime, SetUtcEpoch, SetUtcDateTime, Ntp, Misc}};
    for (int combo = 0; combo < combos.size(); ++combo) {
        if (combos.at(combo).contains(category))
            return combo + 1;
    }
    return 0;
}

} // namespace

class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void models_data();
    void models();
    void commands_data();
    void commands();
    void invariants_data();
    void invariants();
    void lookups_data();
    void lookups();

private:
    PlayerCatalogueList catalogue;
    QStringList modelNames;
};

void tst_Catalogue::initTestCase()
{
    catalogue = buildCatalogueModels();
    for (const PlayerModel &model : qAsConst(catalogue))
        modelNames << model.name;
}

void tst_Catalogue::models_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("fields");

    TestTable table(QStringLiteral("catalogue/models.txt"), 10);
    QVERIFY2(table.holds(15), table.problem());
    QCOMPARE(catalogue.size(), 15);
    for (int index = 0; index < 15; ++index) {
        const QStringList &row = table.rows().at(index);
        QTest::newRow(qPrintable(row.first())) << index << QStringList(row.mid(1));
    }
}

void tst_Catalogue::models()
{
    QFETCH(int, index);
    QFETCH(QStringList, fields);

    const PlayerModel &model = catalogue.at(index);
    QCOMPARE(model.name, QString::fromUtf8(QTest::currentDataTag()));
    QStringList rates;
    for (qint32 rate : model.baudRates)
        rates << QString::number(rate);
    // In the order of the table's columns.
    const QStringList actual = {
        QString::number(model.protocol),       QString::number(model.tcpLink),
        QString::number(model.minId),          QString::number(model.maxId),
        QString::number(model.folderBanks),    QString::number(model.defaultBaudRate),
        QString::number(model.tcpPort),        rates.join(' '),
        QString::number(model.commands.size())};
    QCOMPARE(actual, fields);
}

void tst_Catalogue::commands_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("dataMin");
    QTest::addColumn<QString>("dataMax");

    TestTable table(QStringLiteral("catalogue/commands.txt"));
    QVERIFY2(table.holds(184), table.problem());

    // Consecutive "[model]" lines name the models that share the rows below them.
    QVector<CommandList> lists;
    for (const QStringList &cells : table.rows()) {
        const QString &line = cells.first();
        if (line.startsWith('[') && line.endsWith(']')) {
            if (lists.isEmpty() || !lists.last().rows.isEmpty())
                lists.append(CommandList());
            const int model = modelNames.indexOf(line.mid(1, line.size() - 2));
            QVERIFY2(model >= 0, qPrintable(line));
            lists.last().models << model;
            continue;
        }
        QVERIFY2(!lists.isEmpty() && cells.size() == 6, qPrintable(cells.join('|')));
        lists.last().rows << cells;
    }

    int added = 0;
    for (const CommandList &list : qAsConst(lists)) {
        for (int model : list.models) {
            for (const QStringList &cells : list.rows) {
                const QString tag = modelNames.at(model) + '/' + cells[0] + ' ' + cells[1];
                QTest::newRow(qPrintable(tag))
                    << model << cells[0].toInt() << cells[1] << cells[2].toInt() << cells[3]
                    << cells[4] << (cells[5] == "same" ? cells[4] : cells[5]);
                ++added;
            }
        }
    }
    // A lost or truncated table must not pass with fewer rows.
    QCOMPARE(added, 309);
}

void tst_Catalogue::commands()
{
    QFETCH(int, model);
    QFETCH(int, position);
    QFETCH(QString, label);
    QFETCH(int, category);
    QFETCH(QString, code);
    QFETCH(QString, dataMin);
    QFETCH(QString, dataMax);

    QVERIFY(model < catalogue.size());
    const QVector<PlayerCommand> &commands = catalogue.at(model).commands;
    QVERIFY(position >= 1 && position <= commands.size());
    const PlayerCommand &command = commands.at(position - 1);
    QCOMPARE(command.label, label);
    QCOMPARE(command.category, category);
    QCOMPARE(codeText(command.code), code);
    QCOMPARE(hex(command.dataMin), dataMin);
    QCOMPARE(hex(command.dataMax), dataMax);
}

void tst_Catalogue::invariants_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < catalogue.size(); ++index)
        QTest::newRow(qPrintable(catalogue.at(index).name)) << index;
}

void tst_Catalogue::invariants()
{
    QFETCH(int, index);
    const PlayerModel &model = catalogue.at(index);
    const QVector<PlayerCommand> &commands = model.commands;

    using namespace CommandCategory;
    for (int category : {Folder, PreviousFolder, PreviousFile, Play, Stop, Pause, NextFile,
                         NextFolder, Volume, ChangeId, StandbyWakeup, MuteToggle, Relay}) {
        const auto count =
            std::count_if(commands.begin(), commands.end(),
                          [&](const PlayerCommand &c) { return c.category == category; });
        QVERIFY2(count <= 1, qPrintable(QString("category %1").arg(category)));
    }

    QSet<QPair<int, QString>> listed;
    for (const PlayerCommand &command : commands) {
        const QByteArray what = command.label.toUtf8();
        QVERIFY2(command.category != Relay, what.constData());
        const int combo = comboOf(command.category);
        if (combo != 0) {
            QVERIFY2(!listed.contains({combo, command.label}), what.constData());
            listed.insert({combo, command.label});
        }
        QVERIFY2(!command.dataMin.isEmpty(), what.constData());
        QCOMPARE(command.dataMax.size(), command.dataMin.size());
        for (int i = 0; i < command.dataMin.size(); ++i)
            QVERIFY2(command.dataMin.at(i) <= command.dataMax.at(i), what.constData());
    }

    if (model.isTcp()) {
        QVERIFY(model.baudRates.isEmpty());
        QCOMPARE(model.defaultBaudRate, -1);
        QCOMPARE(int(model.minId), 0);
        QCOMPARE(int(model.maxId), 0);
        QVERIFY(model.tcpPort != 0);
    } else {
        QCOMPARE(int(model.tcpPort), 0);
        const QVector<qint32> known{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
        for (qint32 rate : model.baudRates)
            QVERIFY2(known.contains(rate), qPrintable(QString::number(rate)));
    }

    if (!model.isOnDemand())
        return;
    // The text of each command is the serial code of the same command, in decimal.
    const auto serial = std::find_if(catalogue.begin(), catalogue.end(), [&](const PlayerModel &m) {
        return m.protocol == model.protocol && !m.isTcp();
    });
    QVERIFY(serial != catalogue.end());
    int compared = 0;
    for (const PlayerCommand &command : commands) {
        if (command.code != 0x04)
            continue;
        const PlayerCommand *twin = serial->commandByLabel(command.label, command.category);
        QVERIFY2(twin, qPrintable(command.label));
        QByteArray text;
        for (int i = 2; i < command.dataMin.size(); ++i)
            text.append(char(command.dataMin.at(i)));
        QCOMPARE(QString::fromLatin1(text), QString::number(twin->code));
        ++compared;
    }
    QVERIFY(compared > 0);
}

void tst_Catalogue::lookups_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("found");

    // An empty label looks up by category alone.
    QTest::newRow("SC900 Serial/request Volume") << 2 << "Volume" << 10 << "0x04: 0B";
    QTest::newRow("SC900 Serial/Volume of category 9") << 2 << "Volume" << 9 << "0x03: 00";
    QTest::newRow("SC900 Serial/Volume of any category") << 2 << "Volume" << -1 << "0x03: 00";
    QTest::newRow("SC900 Serial/label is case-sensitive") << 2 << "volume" << -1 << "none";
    QTest::newRow("SC900 Serial/Play is no request") << 2 << "Play" << 10 << "none";
    QTest::newRow("SC900 Serial/category Volume") << 2 << "" << 9 << "0x03: 00";
    QTest::newRow("SC900 Serial/category Request") << 2 << "" << 10 << "0x04: 01";
    QTest::newRow("Tunebox NX/category Volume") << 7 << "" << 9 << "0x03: 00 00 00";
    QTest::newRow("Pocketune legacy/no pause") << 12 << "" << 6 << "none";
    QTest::newRow("Pocketune legacy/no request") << 12 << "" << 10 << "none";
    QTest::newRow("Pocketune legacy/no change ID") << 12 << "" << 11 << "none";
}

void tst_Catalogue::lookups()
{
    QFETCH(int, model);
    QFETCH(QString, label);
    QFETCH(int, category);
    QFETCH(QString, found);

    QVERIFY(model < catalogue.size());
    const PlayerModel &entry = catalogue.at(model);
    const PlayerCommand *command =
        label.isEmpty() ? entry.commandOfCategory(category) : entry.commandByLabel(label, category);
    QCOMPARE(describe(command), found);
}

QTEST_APPLESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
