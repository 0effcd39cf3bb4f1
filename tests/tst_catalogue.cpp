#include "catalogue/playercatalogue.h"

#include <QSet>
#include <QtTest>

#include <algorithm>

namespace {

const QStringList modelNames = {
    "Timetune",
    "Showtune (rev2)",
    "Showcaster - SC900 (Serial)",
    "Showcaster - SC900 (TCP/IP)",
    "Boostbox 1",
    "Pocketune rev2/3",
    "Tunebox (Serial)",
    "Tunebox (NX) (TCP/IP)",
    "Framebox - FB5xx (Serial)",
    "Framebox - FB5xx (TCP/IP)",
    "FB4xxQ(n) (Serial) (legacy)",
    "FB4xxQ(n) (TCP/IP) (legacy)",
    "Pocketune (legacy)",
    "Cardtune QX (legacy)",
    "FB300Qn (legacy)",
};

QString dataFile(const char *name)
{
    return QStringLiteral(ZOXEN_TEST_DATA "/catalogue/") + name;
}

// The lines of a table file, trimmed, without blank lines and "#" comments; none when the file
// cannot be read.
QStringList tableLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    const QStringList all = QString::fromUtf8(file.readAll()).split('\n');
    for (const QString &line : all) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith('#'))
            lines << trimmed;
    }
    return lines;
}

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

// The combo box that lists a command by its label; 0 for commands found by category.
int comboOf(int category)
{
    using namespace CommandCategory;
    switch (category) {
    case Request:
        return 1;
    case ContentFolder:
    case ContentFolderOption:
    case Webradio:
    case AlternateSource:
        return 2;
    case VolumeUp:
    case VolumeDown:
    case Standby:
    case Wakeup:
    case PauseOnly:
    case Resume:
    case Mute:
    case Unmute:
    case SetTime:
    case SetDate:
    case SetDateTime:
    case SetUtcEpoch:
    case SetUtcDateTime:
    case Ntp:
    case Misc:
        return 3;
    default:
        return 0;
    }
}

} // namespace

class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void names();
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
};

void tst_Catalogue::initTestCase()
{
    catalogue = buildCatalogueModels();
}

void tst_Catalogue::names()
{
    QStringList names;
    for (const PlayerModel &model : qAsConst(catalogue))
        names << model.name;
    QCOMPARE(names, modelNames);
}

void tst_Catalogue::models_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("tcpLink");
    QTest::addColumn<int>("minId");
    QTest::addColumn<int>("maxId");
    QTest::addColumn<int>("folderBanks");
    QTest::addColumn<int>("defaultBaudRate");
    QTest::addColumn<int>("tcpPort");
    QTest::addColumn<QVector<qint32>>("baudRates");
    QTest::addColumn<int>("commandCount");

    using Rates = QVector<qint32>;
    const Rates compact{9600, 19200, 38400};
    const Rates video{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    auto row = [](int index) -> QTestData & {
        return QTest::newRow(qPrintable(modelNames.at(index))) << index;
    };
    row(0) << 0 << 0 << 0 << 127 << 8 << 19200 << 0 << compact << 10;
    row(1) << 0 << 0 << 0 << 127 << 8 << 19200 << 0 << compact << 10;
    row(2) << 0 << 0 << 0 << 127 << 8 << 115200 << 0 << video << 34;
    row(3) << 0 << 1 << 0 << 0 << 8 << -1 << 65079 << Rates{} << 34;
    row(4) << 0 << 0 << 0 << 127 << 8 << 19200 << 0 << Rates{4800, 9600, 19200} << 7;
    row(5) << 0 << 0 << 0 << 127 << 8 << 19200 << 0 << compact << 10;
    row(6) << 1 << 0 << 0 << 0 << 8 << 115200 << 0 << Rates{115200} << 35;
    row(7) << 1 << 1 << 0 << 0 << 8 << -1 << 1234 << Rates{} << 44;
    row(8) << 0 << 0 << 0 << 127 << 8 << 115200 << 0 << video << 34;
    row(9) << 0 << 1 << 0 << 0 << 8 << -1 << 65079 << Rates{} << 34;
    row(10) << 0 << 0 << 0 << 127 << 2 << 19200 << 0 << Rates{19200} << 18;
    row(11) << 0 << 1 << 0 << 0 << 8 << -1 << 65079 << Rates{} << 18;
    row(12) << 0 << 0 << 0 << 127 << 8 << 19200 << 0 << Rates{19200} << 6;
    row(13) << 0 << 0 << 0 << 127 << 1 << 9600 << 0 << Rates{9600} << 8;
    row(14) << 0 << 0 << 0 << 127 << 1 << 19200 << 0 << Rates{19200} << 7;
}

void tst_Catalogue::models()
{
    QFETCH(int, index);
    QFETCH(int, protocol);
    QFETCH(int, tcpLink);
    QFETCH(int, minId);
    QFETCH(int, maxId);
    QFETCH(int, folderBanks);
    QFETCH(int, defaultBaudRate);
    QFETCH(int, tcpPort);
    QFETCH(QVector<qint32>, baudRates);
    QFETCH(int, commandCount);

    QVERIFY(index < catalogue.size());
    const PlayerModel &model = catalogue.at(index);
    QCOMPARE(model.name, QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(model.protocol, protocol);
    QCOMPARE(int(model.tcpLink), tcpLink);
    QCOMPARE(int(model.minId), minId);
    QCOMPARE(int(model.maxId), maxId);
    QCOMPARE(int(model.folderBanks), folderBanks);
    QCOMPARE(model.defaultBaudRate, defaultBaudRate);
    QCOMPARE(int(model.tcpPort), tcpPort);
    QCOMPARE(model.baudRates, baudRates);
    QCOMPARE(model.commands.size(), commandCount);
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

    const QString path = dataFile("commands.txt");
    const QStringList lines = tableLines(path);
    QVERIFY2(!lines.isEmpty(), qPrintable("cannot read " + path));

    // Consecutive "[model]" lines name the models that share the rows below them.
    QVector<CommandList> lists;
    for (const QString &line : lines) {
        const QString what = path + ": " + line;
        if (line.startsWith('[') && line.endsWith(']')) {
            if (lists.isEmpty() || !lists.last().rows.isEmpty())
                lists.append(CommandList());
            const int model = modelNames.indexOf(line.mid(1, line.size() - 2));
            QVERIFY2(model >= 0, qPrintable(what));
            lists.last().models << model;
            continue;
        }
        QStringList cells = line.split('|');
        QVERIFY2(!lists.isEmpty() && cells.size() == 6, qPrintable(what));
        for (QString &cell : cells)
            cell = cell.trimmed();
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
