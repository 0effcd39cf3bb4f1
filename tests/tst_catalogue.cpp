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

// Expected commands, one per line: "# | label | category | code | dataMin | dataMax", where a
// dataMax of "same" repeats dataMin.
// clang-format off

// "Tunebox (Serial)".
const char *const tuneboxSerialRows[] = {
    "1 | Play | 4 | 0x20 | FF FF FF | same",
    "2 | Stop | 5 | 0x22 | FF FF FF | same",
    "3 | Next File | 7 | 0x23 | FF FF FF | same",
    "4 | Previous File | 3 | 0x24 | FF FF FF | same",
    "5 | MUSIC folder (Random) | 23 | 0x00 | 00 01 FF | 03 E7 FF",
    "6 | MUSIC folder (Random + Reset) | 23 | 0x01 | 00 01 FF | 03 E7 FF",
    "7 | MUSIC folder (Sequential) | 23 | 0x02 | 00 01 FF | 03 E7 FF",
    "8 | MUSIC folder (Sequential + Reset) | 23 | 0x03 | 00 01 FF | 03 E7 FF",
    "9 | PLAYLIST folder (Random) | 23 | 0x08 | 00 01 FF | 03 E7 FF",
    "10 | PLAYLIST folder (Random + Reset) | 23 | 0x09 | 00 01 FF | 03 E7 FF",
    "11 | PLAYLIST folder (Sequential) | 23 | 0x0A | 00 01 FF | 03 E7 FF",
    "12 | PLAYLIST folder (Sequential + Reset) | 23 | 0x0B | 00 01 FF | 03 E7 FF",
    "13 | SPOT folder (Random) | 23 | 0x10 | 00 01 FF | 03 E7 FF",
    "14 | SPOT folder (Sequential) | 23 | 0x11 | 00 01 FF | 03 E7 FF",
    "15 | SPOT folder (Random + Reset) | 24 | 0x12 | 00 01 01 | 03 E7 FF",
    "16 | SPOT folder (Sequential + Reset) | 24 | 0x14 | 00 01 01 | 03 E7 FF",
    "17 | Webradio | 25 | 0x40 | 00 01 FF | 00 0A FF",
    "18 | Alternate: Internal USB | 26 | 0x53 | FF FF FF | same",
    "19 | Alternate: External USB | 26 | 0x52 | FF FF FF | same",
    "20 | Alternate: SD card | 26 | 0x51 | FF FF FF | same",
    "21 | Alternate: Internal HDD | 26 | 0x54 | FF FF FF | same",
    "22 | Alternate: Aux input | 26 | 0x5B | FF FF FF | same",
    "23 | Mute | 20 | 0x33 | 00 01 00 | same",
    "24 | Unmute | 21 | 0x33 | 00 00 00 | same",
    "25 | FTP update: preset 1 | 99 | 0x41 | 00 01 FF | same",
    "26 | FTP update: preset 2 | 99 | 0x41 | 00 02 FF | same",
    "27 | FTP update: preset 3 | 99 | 0x41 | 00 03 FF | same",
    "28 | FTP update: preset 4 | 99 | 0x41 | 00 04 FF | same",
    "29 | FTP update: preset 5 | 99 | 0x41 | 00 05 FF | same",
    "30 | FTP update: preset 6 | 99 | 0x41 | 00 06 FF | same",
    "31 | FTP update: preset 7 | 99 | 0x41 | 00 07 FF | same",
    "32 | FTP update: preset 8 | 99 | 0x41 | 00 08 FF | same",
    "33 | FTP update: preset 9 | 99 | 0x41 | 00 09 FF | same",
    "34 | FTP update: preset 10 | 99 | 0x41 | 00 0A FF | same",
    "35 | Volume | 9 | 0x30 | 00 00 00 | 00 40 00",
};

// "Tunebox (NX) (TCP/IP)".
const char *const tuneboxNetworkRows[] = {
    "1 | Play | 4 | 0x04 | FF FF 33 32 | same",
    "2 | Stop | 5 | 0x04 | FF FF 33 34 | same",
    "3 | Next File | 7 | 0x04 | FF FF 33 35 | same",
    "4 | Previous File | 3 | 0x04 | FF FF 33 36 | same",
    "5 | Volume | 9 | 0x03 | 00 00 00 | 00 40 00",
    "6 | MUSIC folder (Random) | 23 | 0x04 | 00 01 30 | 03 E7 30",
    "7 | MUSIC folder (Random + Reset) | 23 | 0x04 | 00 01 31 | 03 E7 31",
    "8 | MUSIC folder (Sequential) | 23 | 0x04 | 00 01 32 | 03 E7 32",
    "9 | MUSIC folder (Sequential + Reset) | 23 | 0x04 | 00 01 33 | 03 E7 33",
    "10 | PLAYLIST folder (Random) | 23 | 0x04 | 00 01 38 | 03 E7 38",
    "11 | PLAYLIST folder (Random + Reset) | 23 | 0x04 | 00 01 39 | 03 E7 39",
    "12 | PLAYLIST folder (Sequential) | 23 | 0x04 | 00 01 31 30 | 03 E7 31 30",
    "13 | PLAYLIST folder (Sequential + Reset) | 23 | 0x04 | 00 01 31 31 | 03 E7 31 31",
    "14 | SPOT folder (Random) | 23 | 0x04 | 00 01 31 36 | 03 E7 31 36",
    "15 | SPOT folder (Sequential) | 23 | 0x04 | 00 01 31 37 | 03 E7 31 37",
    "16 | Webradio | 25 | 0x04 | 00 01 36 34 | 00 0A 36 34",
    "17 | Alternate: Internal USB | 26 | 0x04 | FF FF 38 33 | same",
    "18 | Alternate: External USB | 26 | 0x04 | FF FF 38 32 | same",
    "19 | Alternate: SD card | 26 | 0x04 | FF FF 38 31 | same",
    "20 | Alternate: Internal HDD | 26 | 0x04 | FF FF 38 34 | same",
    "21 | Alternate: Aux input | 26 | 0x04 | FF FF 39 31 | same",
    "22 | Player status | 10 | 0x02 | FF FF 50 6C 61 79 65 72 53 74 61 74 75 73 | same",
    "23 | Source | 10 | 0x02 | FF FF 53 6F 75 72 63 65 | same",
    "24 | Folder type | 10 | 0x02 | FF FF 46 6F 6C 64 65 72 54 79 70 65 | same",
    "25 | Folder ID | 10 | 0x02 | FF FF 46 6F 6C 64 65 72 49 44 | same",
    "26 | Folder mode | 10 | 0x02 | FF FF 46 6F 6C 64 65 72 4D 6F 64 65 | same",
    "27 | Playlist ID | 10 | 0x02 | FF FF 50 6C 61 79 6C 69 73 74 49 44 | same",
    "28 | Playlist mode | 10 | 0x02 | FF FF 50 6C 61 79 6C 69 73 74 4D 6F 64 65 | same",
    "29 | Spot ID | 10 | 0x02 | FF FF 53 70 6F 74 49 44 | same",
    "30 | Spot mode | 10 | 0x02 | FF FF 53 70 6F 74 4D 6F 64 65 | same",
    "31 | Playing file | 10 | 0x02 | FF FF 50 6C 61 79 69 6E 67 46 69 6C 65 | same",
    "32 | Remaining time | 10 | 0x02 | FF FF 52 65 6D 61 69 6E 69 6E 67 54 69 6D 65 | same",
    "33 | Volume | 10 | 0x02 | FF FF 56 6F 6C 75 6D 65 4C 6F 63 61 6C 4D 75 73 69 63 | same",
    "34 | Webradio ID | 10 | 0x02 | FF FF 57 65 62 52 61 64 69 6F 49 44 | same",
    "35 | Webradio 1 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 31 4E 61 6D 65 | same",
    "36 | Webradio 2 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 32 4E 61 6D 65 | same",
    "37 | Webradio 3 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 33 4E 61 6D 65 | same",
    "38 | Webradio 4 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 34 4E 61 6D 65 | same",
    "39 | Webradio 5 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 35 4E 61 6D 65 | same",
    "40 | Webradio 6 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 36 4E 61 6D 65 | same",
    "41 | Webradio 7 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 37 4E 61 6D 65 | same",
    "42 | Webradio 8 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 38 4E 61 6D 65 | same",
    "43 | Webradio 9 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 39 4E 61 6D 65 | same",
    "44 | Webradio 10 name | 10 | 0x02 | FF FF 57 52 61 64 69 6F 31 30 4E 61 6D 65 | same",
};

// the SC900 and FB5xx entries, serial and TCP/IP.
const char *const videoRows[] = {
    "1 | Folder | 1 | 0x01 | 00 | 7F",
    "2 | Play | 4 | 0x02 | 01 | same",
    "3 | Stop | 5 | 0x02 | 02 | same",
    "4 | Next File | 7 | 0x02 | 03 | same",
    "5 | Previous File | 3 | 0x02 | 04 | same",
    "6 | Play/Pause | 6 | 0x02 | 05 | same",
    "7 | Next Folder | 8 | 0x02 | 06 | same",
    "8 | Previous Folder | 2 | 0x02 | 07 | same",
    "9 | Standby/Wakeup | 12 | 0x02 | 08 | same",
    "10 | Volume + | 13 | 0x02 | 09 | same",
    "11 | Volume - | 14 | 0x02 | 0A | same",
    "12 | Standby | 15 | 0x02 | 0C | same",
    "13 | Wakeup | 16 | 0x02 | 0D | same",
    "14 | Pause | 17 | 0x02 | 0E | same",
    "15 | Resume | 18 | 0x02 | 0F | same",
    "16 | Mute/Demute | 19 | 0x02 | 10 | same",
    "17 | Mute | 20 | 0x02 | 11 | same",
    "18 | Unmute | 21 | 0x02 | 12 | same",
    "19 | Volume | 9 | 0x03 | 00 | 64",
    "20 | Player Status | 10 | 0x04 | 01 | same",
    "21 | Current file | 10 | 0x04 | 02 | same",
    "22 | Full path name | 10 | 0x04 | 03 | same",
    "23 | Used storage media | 10 | 0x04 | 04 | same",
    "24 | Current folder number | 10 | 0x04 | 06 | same",
    "25 | Remaining time | 10 | 0x04 | 09 | same",
    "26 | Total time of the file | 10 | 0x04 | 0A | same",
    "27 | Volume | 10 | 0x04 | 0B | same",
    "28 | NTP on | 32 | 0x5C | 01 | same",
    "29 | NTP off | 32 | 0x5C | 00 | same",
    "30 | Set time | 27 | 0x0C | 01 02 03 | same",
    "31 | Set date | 28 | 0x1C | 04 05 06 | same",
    "32 | Set date/time | 29 | 0x2C | 07 08 09 0A 0B 0C | same",
    "33 | Set UTC/GMT date/time (epoch version) | 30 | 0x3C | 05 7F 7F 7F 7F | same",
    "34 | Set UTC/GMT date/time (full version) | 31 | 0x4C | 01 02 03 04 05 06 | same",
};

// both FB4xxQ(n) entries.
const char *const legacyVideoRows[] = {
    "1 | Folder | 1 | 0x01 | 00 | 7F",
    "2 | Play | 4 | 0x02 | 01 | same",
    "3 | Stop | 5 | 0x02 | 02 | same",
    "4 | Next File | 7 | 0x02 | 03 | same",
    "5 | Previous File | 3 | 0x02 | 04 | same",
    "6 | Pause | 6 | 0x02 | 05 | same",
    "7 | Next Folder | 8 | 0x02 | 06 | same",
    "8 | Previous Folder | 2 | 0x02 | 07 | same",
    "9 | Volume | 9 | 0x03 | 00 | 1F",
    "10 | Player Status | 10 | 0x04 | 01 | same",
    "11 | Current file | 10 | 0x04 | 02 | same",
    "12 | Full path name | 10 | 0x04 | 03 | same",
    "13 | Used storage media | 10 | 0x04 | 04 | same",
    "14 | Current folder number | 10 | 0x04 | 06 | same",
    "15 | Remaining time | 10 | 0x04 | 09 | same",
    "16 | Total time of the file | 10 | 0x04 | 0A | same",
    "17 | Volume | 10 | 0x04 | 0B | same",
    "18 | Change ID | 11 | 0x7F | 01 | 7F",
};

// "Boostbox 1".
const char *const amplifierRows[] = {
    "1 | Volume 1 | 9 | 0x03 | 00 | 38",
    "2 | Information | 10 | 0x04 | 40 | same",
    "3 | Triggering of the secondary volume (Volume 2) | 99 | 0x09 | 01 | same",
    "4 | Set baudrate = 4800 | 99 | 0x08 | 30 | same",
    "5 | Set baudrate = 9600 | 99 | 0x08 | 31 | same",
    "6 | Set baudrate = 19200 | 99 | 0x08 | 32 | same",
    "7 | Change ID | 11 | 0x7F | 01 | 7F",
};

// "Timetune", "Showtune (rev2)" and "Pocketune rev2/3".
const char *const compactRows[] = {
    "1 | Folder | 1 | 0x01 | 00 | 7F",
    "2 | Play | 4 | 0x02 | 01 | same",
    "3 | Stop | 5 | 0x02 | 02 | same",
    "4 | Next File | 7 | 0x02 | 03 | same",
    "5 | Previous File | 3 | 0x02 | 04 | same",
    "6 | Volume | 9 | 0x03 | 00 | 40",
    "7 | Next Folder | 8 | 0x02 | 06 | same",
    "8 | Previous Folder | 2 | 0x02 | 07 | same",
    "9 | Volume + | 13 | 0x02 | 09 | same",
    "10 | Volume - | 14 | 0x02 | 0A | same",
};

// "Pocketune (legacy)".
const char *const pocketuneLegacyRows[] = {
    "1 | Folder | 1 | 0x01 | 00 | 7F",
    "2 | Play | 4 | 0x02 | 01 | same",
    "3 | Stop | 5 | 0x02 | 02 | same",
    "4 | Next File | 7 | 0x02 | 03 | same",
    "5 | Previous File | 3 | 0x02 | 04 | same",
    "6 | Volume | 9 | 0x03 | 00 | 1F",
};

// "Cardtune QX (legacy)".
const char *const cardtuneRows[] = {
    "1 | Folder | 1 | 0x01 | 00 | 7F",
    "2 | Play | 4 | 0x02 | 01 | same",
    "3 | Stop | 5 | 0x02 | 02 | same",
    "4 | Next File | 7 | 0x02 | 03 | same",
    "5 | Previous File | 3 | 0x02 | 04 | same",
    "6 | Pause | 6 | 0x02 | 05 | same",
    "7 | Volume | 9 | 0x03 | 00 | 1F",
    "8 | Change ID | 11 | 0x7F | 01 | 7F",
};

// "FB300Qn (legacy)".
const char *const fb300Rows[] = {
    "1 | Folder | 1 | 0x01 | 00 | 7F",
    "2 | Play | 4 | 0x02 | 01 | same",
    "3 | Stop | 5 | 0x02 | 02 | same",
    "4 | Next File | 7 | 0x02 | 03 | same",
    "5 | Previous File | 3 | 0x02 | 04 | same",
    "6 | Volume | 9 | 0x03 | 00 | 0D",
    "7 | Change ID | 11 | 0x7F | 01 | 7F",
};
// clang-format on

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

template<std::size_t N>
void addCommandRows(std::initializer_list<int> models, const char *const (&rows)[N])
{
    for (int model : models) {
        for (const char *row : rows) {
            QStringList cells = QString::fromLatin1(row).split('|');
            for (QString &cell : cells)
                cell = cell.trimmed();
            const QString tag = modelNames.at(model) + '/' + cells[0] + ' ' + cells[1];
            QTest::newRow(qPrintable(tag))
                << model << cells[0].toInt() << cells[1] << cells[2].toInt() << cells[3] << cells[4]
                << (cells[5] == "same" ? cells[4] : cells[5]);
        }
    }
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

    addCommandRows({0, 1, 5}, compactRows);
    addCommandRows({2, 3, 8, 9}, videoRows);
    addCommandRows({4}, amplifierRows);
    addCommandRows({6}, tuneboxSerialRows);
    addCommandRows({7}, tuneboxNetworkRows);
    addCommandRows({10, 11}, legacyVideoRows);
    addCommandRows({12}, pocketuneLegacyRows);
    addCommandRows({13}, cardtuneRows);
    addCommandRows({14}, fb300Rows);
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
