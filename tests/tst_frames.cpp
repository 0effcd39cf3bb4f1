#include "catalogue/playercatalogue.h"
#include "transmission/frames.h"

#include <QtTest>

namespace {

// How a control of the window turns one of the model's commands into code and data.
enum class Control
{
    Button,
    Folder,
    ChangeId,
    Volume,
    Request,
    Other,
    Launch
};

struct Action
{
    Control control = Control::Button;
    int category = 0;
    QString label;
    int number = 0;
    int option = 0;
    int preset = 0;
};

Action button(int category)
{
    return {Control::Button, category, {}, 0, 0, 0};
}

Action folder(int number)
{
    return {Control::Folder, 0, {}, number, 0, 0};
}

Action changeId(int newId)
{
    return {Control::ChangeId, 0, {}, newId, 0, 0};
}

Action volume(int value)
{
    return {Control::Volume, 0, {}, value, 0, 0};
}

Action request(const QString &label)
{
    return {Control::Request, 0, label, 0, 0, 0};
}

Action other(const QString &label)
{
    return {Control::Other, 0, label, 0, 0, 0};
}

Action launch(const QString &label, int reference, int option = 0, int preset = 0)
{
    return {Control::Launch, 0, label, reference, option, preset};
}

// Code and data as the window's slot for the control builds them; false when it sends nothing.
bool build(const PlayerModel &model, const Action &action, const ClockReading &clock, quint8 &code,
           ByteList &data)
{
    const PlayerCommand *command = nullptr;
    switch (action.control) {
    case Control::Button:
        command = model.commandOfCategory(action.category);
        if (!command)
            return false;
        code = command->code;
        data = commandData(model, *command);
        appendPlaybackTrailer(model, action.category, data);
        return true;
    case Control::Folder:
        command = model.commandOfCategory(CommandCategory::Folder);
        if (!command)
            return false;
        code = command->code;
        data = commandData(model, *command);
        placeFolder(action.number, code, data);
        return true;
    case Control::ChangeId:
        command = model.commandOfCategory(CommandCategory::ChangeId);
        if (!command)
            return false;
        code = command->code;
        data = commandData(model, *command);
        data[0] = static_cast<quint8>(action.number);
        return true;
    case Control::Volume:
        return buildVolume(model, static_cast<quint8>(action.number), code, data);
    case Control::Request:
        command = model.commandByLabel(action.label, CommandCategory::Request);
        if (command)
            data = requestData(model, *command);
        break;
    case Control::Other:
        command = model.commandByLabel(action.label);
        if (command)
            data = otherCommandData(*command, clock);
        break;
    case Control::Launch:
        command = model.commandByLabel(action.label);
        if (command)
            data = launchData(model, *command, {action.number, action.option, action.preset});
        break;
    }
    if (command)
        code = command->code;
    return !data.isEmpty();
}

ClockReading readingAt(const QDateTime &instant)
{
    return {instant, instant.toUTC(), instant.toMSecsSinceEpoch()};
}

QDateTime at(int year, int month, int day, int hour, int minute, int second, int offsetHours)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::OffsetFromUTC,
                     offsetHours * 3600);
}

const QString timetune = QStringLiteral("Timetune");
const QString sc900 = QStringLiteral("Showcaster - SC900 (Serial)");
const QString boostbox = QStringLiteral("Boostbox 1");
const QString tuneboxSerial = QStringLiteral("Tunebox (Serial)");
const QString tuneboxNx = QStringLiteral("Tunebox (NX) (TCP/IP)");
const QString pocketuneLegacy = QStringLiteral("Pocketune (legacy)");

const QString cmdEnvelope = QStringLiteral("04 00 00 00 63 6D 64 00");
const QString trailer = QStringLiteral("32 35 35 00 32 35 35 00");
const QString volumeLocalMusic = QStringLiteral("56 6F 6C 75 6D 65 4C 6F 63 61 6C 4D 75 73 69 63");
const QString setVolume = QStringLiteral("03 00 00 00 73 65 74 00 ") + volumeLocalMusic;
const QString getEnvelope = QStringLiteral("02 00 00 00 67 65 74 00");

} // namespace

Q_DECLARE_METATYPE(Action)

class tst_Frames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void idByte_data();
    void idByte();
    void frames_data();
    void frames();
    void clockCommands_data();
    void clockCommands();
    void relayBits_data();
    void relayBits();
    void baseConversion_data();
    void baseConversion();
    void baseConversionRoundTrip();

private:
    const PlayerModel *model(const QString &name) const;

    PlayerCatalogueList catalogue;
};

void tst_Frames::initTestCase()
{
    catalogue = buildCatalogueModels();
}

const PlayerModel *tst_Frames::model(const QString &name) const
{
    for (const PlayerModel &candidate : catalogue) {
        if (candidate.name == name)
            return &candidate;
    }
    return nullptr;
}

void tst_Frames::idByte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("idByte");

    QTest::newRow("id 0") << "0" << true << 0x80;
    QTest::newRow("id 1") << "1" << true << 0x81;
    QTest::newRow("id 127") << "127" << true << 0xFF;
    QTest::newRow("id 255 wraps") << "255" << true << 0x7F;
    QTest::newRow("unreadable text") << "abc" << true << 0x80;
    QTest::newRow("empty text") << "" << true << 0x80;
    QTest::newRow("no selection") << "5" << false << 0x80;
}

void tst_Frames::idByte()
{
    QFETCH(QString, text);
    QFETCH(bool, selected);
    QFETCH(int, idByte);
    QCOMPARE(int(idByteFor(text, selected)), idByte);
}

void tst_Frames::frames_data()
{
    QTest::addColumn<QString>("modelName");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("playerId");
    // Empty when nothing is sent.
    QTest::addColumn<QString>("hex");
    // Empty when only the hexadecimal text is checked.
    QTest::addColumn<QString>("decimal");

    using namespace CommandCategory;
    QTest::newRow("Timetune/play/id 0") << timetune << button(Play) << "0"
                                        << "80 02 01"
                                        << "128 2 1";
    QTest::newRow("Timetune/play/id 5") << timetune << button(Play) << "5"
                                        << "85 02 01"
                                        << "";
    QTest::newRow("Timetune/stop") << timetune << button(Stop) << "0"
                                   << "80 02 02"
                                   << "";
    QTest::newRow("Timetune/next file") << timetune << button(NextFile) << "0"
                                        << "80 02 03"
                                        << "";
    QTest::newRow("Timetune/previous file") << timetune << button(PreviousFile) << "0"
                                            << "80 02 04"
                                            << "";
    QTest::newRow("Timetune/next folder") << timetune << button(NextFolder) << "0"
                                          << "80 02 06"
                                          << "";
    QTest::newRow("Timetune/previous folder") << timetune << button(PreviousFolder) << "0"
                                              << "80 02 07"
                                              << "";
    QTest::newRow("Timetune/pause sends nothing") << timetune << button(Pause) << "0"
                                                  << ""
                                                  << "";
    QTest::newRow("SC900 serial/play/id 5") << sc900 << button(Play) << "5"
                                            << "85 02 01"
                                            << "";
    QTest::newRow("SC900 serial/pause") << sc900 << button(Pause) << "0"
                                        << "80 02 05"
                                        << "";
    QTest::newRow("SC900 serial/standby wakeup") << sc900 << button(StandbyWakeup) << "0"
                                                 << "80 02 08"
                                                 << "";
    QTest::newRow("SC900 serial/mute toggle") << sc900 << button(MuteToggle) << "0"
                                              << "80 02 10"
                                              << "";

    QTest::newRow("Timetune/folder 3") << timetune << folder(3) << "0"
                                       << "80 01 03"
                                       << "";
    QTest::newRow("Timetune/folder 5") << timetune << folder(5) << "0"
                                       << "80 01 05"
                                       << "";
    QTest::newRow("Timetune/folder 127") << timetune << folder(127) << "0"
                                         << "80 01 7F"
                                         << "";
    QTest::newRow("Timetune/folder 128") << timetune << folder(128) << "0"
                                         << "80 11 00"
                                         << "";
    QTest::newRow("Timetune/folder 130") << timetune << folder(130) << "0"
                                         << "80 11 02"
                                         << "";
    QTest::newRow("Timetune/folder 999") << timetune << folder(999) << "0"
                                         << "80 71 67"
                                         << "";
    QTest::newRow("Tunebox serial/folder sends nothing") << tuneboxSerial << folder(3) << "0"
                                                         << ""
                                                         << "";

    QTest::newRow("Tunebox serial/play") << tuneboxSerial << button(Play) << "0"
                                         << "20 FF FF FF"
                                         << "32 255 255 255";
    QTest::newRow("Tunebox serial/play/id 5") << tuneboxSerial << button(Play) << "5"
                                              << "20 FF FF FF"
                                              << "";
    QTest::newRow("Tunebox NX/play")
        << tuneboxNx << button(Play) << "0" << cmdEnvelope + " 33 32 00 " + trailer << "";
    QTest::newRow("Tunebox NX/stop")
        << tuneboxNx << button(Stop) << "0" << cmdEnvelope + " 33 34 00 " + trailer << "";
    QTest::newRow("Tunebox NX/next file")
        << tuneboxNx << button(NextFile) << "0" << cmdEnvelope + " 33 35 00 " + trailer << "";
    QTest::newRow("Tunebox NX/previous file")
        << tuneboxNx << button(PreviousFile) << "0" << cmdEnvelope + " 33 36 00 " + trailer << "";

    QTest::newRow("Boostbox/change ID to 5") << boostbox << changeId(5) << "0"
                                             << "80 7F 05"
                                             << "";
    QTest::newRow("Pocketune legacy/change ID sends nothing")
        << pocketuneLegacy << changeId(5) << "0"
        << ""
        << "";

    QTest::newRow("Timetune/volume 40") << timetune << volume(40) << "0"
                                        << "80 03 28"
                                        << "";
    QTest::newRow("Tunebox serial/volume 40") << tuneboxSerial << volume(40) << "0"
                                              << "30 00 28 00"
                                              << "";
    QTest::newRow("Tunebox NX/volume 40")
        << tuneboxNx << volume(40) << "0" << setVolume + " 00 2D 32 34 00"
        << "";
    QTest::newRow("Tunebox NX/volume 0")
        << tuneboxNx << volume(0) << "0" << setVolume + " 00 2D 36 34 00"
        << "";
    QTest::newRow("Tunebox NX/volume 64")
        << tuneboxNx << volume(64) << "0" << setVolume + " 00 30 00"
        << "";

    QTest::newRow("SC900 serial/request Player Status") << sc900 << request("Player Status") << "0"
                                                        << "80 04 01"
                                                        << "";
    QTest::newRow("SC900 serial/request Volume") << sc900 << request("Volume") << "0"
                                                 << "80 04 0B"
                                                 << "";
    QTest::newRow("Tunebox NX/request Player status")
        << tuneboxNx << request("Player status") << "0"
        << getEnvelope + " 50 6C 61 79 65 72 53 74 61 74 75 73 00"
        << "";
    QTest::newRow("Tunebox NX/request Volume")
        << tuneboxNx << request("Volume") << "0" << getEnvelope + " " + volumeLocalMusic + " 00"
        << "";

    QTest::newRow("Tunebox serial/other Mute") << tuneboxSerial << other("Mute") << "0"
                                               << "33 00 01 00"
                                               << "";
    QTest::newRow("SC900 serial/other NTP on") << sc900 << other("NTP on") << "0"
                                               << "80 5C 01"
                                               << "";
    QTest::newRow("SC900 serial/other NTP off") << sc900 << other("NTP off") << "0"
                                                << "80 5C 00"
                                                << "";

    QTest::newRow("Tunebox serial/launch MUSIC folder 005")
        << tuneboxSerial << launch("MUSIC folder (Random)", 5) << "0"
        << "00 00 05 FF"
        << "";
    QTest::newRow("Tunebox serial/launch MUSIC folder 999")
        << tuneboxSerial << launch("MUSIC folder (Random)", 999) << "0"
        << "00 03 E7 FF"
        << "";
    QTest::newRow("Tunebox serial/launch SPOT folder 010 option 003")
        << tuneboxSerial << launch("SPOT folder (Random + Reset)", 10, 3) << "0"
        << "12 00 0A 03"
        << "";
    QTest::newRow("Tunebox serial/launch Webradio 002")
        << tuneboxSerial << launch("Webradio", 0, 0, 2) << "0"
        << "40 00 02 FF"
        << "";
    QTest::newRow("Tunebox serial/launch SD card")
        << tuneboxSerial << launch("Alternate: SD card", 0) << "0"
        << "51 FF FF FF"
        << "";
    QTest::newRow("Tunebox NX/launch MUSIC folder 005")
        << tuneboxNx << launch("MUSIC folder (Random)", 5) << "0"
        << cmdEnvelope + " 30 00 35 00 30 00"
        << "";
    QTest::newRow("Tunebox NX/launch Webradio 002")
        << tuneboxNx << launch("Webradio", 0, 0, 2) << "0" << cmdEnvelope + " 36 34 00 32 00 30 00"
        << "";
    QTest::newRow("Tunebox NX/launch SD card") << tuneboxNx << launch("Alternate: SD card", 0)
                                               << "0" << cmdEnvelope + " 38 31 00 30 00 30 00"
                                               << "";
}

void tst_Frames::frames()
{
    QFETCH(QString, modelName);
    QFETCH(Action, action);
    QFETCH(QString, playerId);
    QFETCH(QString, hex);
    QFETCH(QString, decimal);

    const PlayerModel *found = model(modelName);
    QVERIFY2(found, qPrintable(modelName));
    quint8 code = 0;
    ByteList data;
    const bool sent = build(*found, action, {}, code, data);
    QCOMPARE(sent, !hex.isEmpty());
    if (!sent)
        return;

    const quint8 idByte = idByteFor(playerId, true);
    QCOMPARE(assembleFrame(found->protocol, idByte, code, data).toHex(' ').toUpper(),
             hex.toLatin1());
    QCOMPARE(frameText(found->protocol, idByte, code, data, false), hex);
    if (!decimal.isEmpty())
        QCOMPARE(frameText(found->protocol, idByte, code, data, true), decimal);

    // The frame follows the model's fields, never its name.
    PlayerModel unnamed = *found;
    unnamed.name = QStringLiteral("Unnamed");
    quint8 unnamedCode = 0;
    ByteList unnamedData;
    QVERIFY(build(unnamed, action, {}, unnamedCode, unnamedData));
    QCOMPARE(unnamedCode, code);
    QCOMPARE(unnamedData, data);
}

void tst_Frames::clockCommands_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<QString>("hex");

    const QDateTime afternoon = at(2026, 12, 4, 14, 5, 9, 0);
    const QDateTime epochExample = at(2027, 1, 15, 8, 0, 0, 0);
    // 00:30 at +02:00 is still the 4th in UTC.
    const QDateTime afterLocalMidnight = at(2026, 12, 5, 0, 30, 0, 2);

    QTest::newRow("set time 14:05:09") << "Set time" << afternoon << "80 0C 0E 05 09";
    QTest::newRow("set date 2026-12-04") << "Set date" << afternoon << "80 1C 1A 0C 04";
    QTest::newRow("set date/time 2026-12-04 14:05:09")
        << "Set date/time" << afternoon << "80 2C 1A 0C 04 0E 05 09";
    QTest::newRow("set date 2000-01-01 year byte 0")
        << "Set date" << at(2000, 1, 1, 12, 0, 0, 0) << "80 1C 00 01 01";
    QTest::newRow("set date 1999-12-31 year byte 99")
        << "Set date" << at(1999, 12, 31, 12, 0, 0, 0) << "80 1C 63 0C 1F";
    QTest::newRow("epoch 2027-01-15 08:00:00 UTC")
        << "Set UTC/GMT date/time (epoch version)" << epochExample << "80 3C 06 5A 27 24 00";
    QTest::newRow("epoch same instant read at +05:00")
        << "Set UTC/GMT date/time (epoch version)" << epochExample.toOffsetFromUtc(5 * 3600)
        << "80 3C 06 5A 27 24 00";
    QTest::newRow("epoch drops milliseconds")
        << "Set UTC/GMT date/time (epoch version)" << epochExample.addMSecs(999)
        << "80 3C 06 5A 27 24 00";
    QTest::newRow("epoch keeps 35 bits of seconds")
        << "Set UTC/GMT date/time (epoch version)"
        << QDateTime::fromSecsSinceEpoch((qint64(1) << 35) + 5, Qt::UTC) << "80 3C 00 00 00 00 05";
    QTest::newRow("full UTC 2026-12-04 14:05:09")
        << "Set UTC/GMT date/time (full version)" << afternoon << "80 4C 1A 0C 04 0E 05 09";
    QTest::newRow("set date/time just after local midnight at +02:00")
        << "Set date/time" << afterLocalMidnight << "80 2C 1A 0C 05 00 1E 00";
    QTest::newRow("full UTC just after local midnight at +02:00 is a day earlier")
        << "Set UTC/GMT date/time (full version)" << afterLocalMidnight
        << "80 4C 1A 0C 04 16 1E 00";
}

void tst_Frames::clockCommands()
{
    QFETCH(QString, label);
    QFETCH(QDateTime, instant);
    QFETCH(QString, hex);

    const PlayerModel *found = model(sc900);
    QVERIFY(found);
    quint8 code = 0;
    ByteList data;
    QVERIFY(build(*found, other(label), readingAt(instant), code, data));
    QCOMPARE(frameText(found->protocol, idByteFor(QStringLiteral("0"), true), code, data, false),
             hex);
}

void tst_Frames::relayBits_data()
{
    QTest::addColumn<ByteList>("stored");
    QTest::addColumn<QVector<bool>>("checked");
    QTest::addColumn<QString>("hex");

    const ByteList zero{0x00, 0x00};
    QTest::newRow("none checked") << zero << QVector<bool>(8, false) << "80 16 00 00";
    QTest::newRow("relays 1, 3 and 8")
        << zero << QVector<bool>{true, false, true, false, false, false, false, true}
        << "80 16 05 08";
    QTest::newRow("all eight") << zero << QVector<bool>(8, true) << "80 16 0F 0F";
    QTest::newRow("added to the stored bytes modulo 256")
        << ByteList{0xFF, 0x10} << QVector<bool>{true, false, false, false, true} << "80 16 00 11";
}

void tst_Frames::relayBits()
{
    QFETCH(ByteList, stored);
    QFETCH(QVector<bool>, checked);
    QFETCH(QString, hex);

    const PlayerCommand relay(QStringLiteral("Relays"), CommandCategory::Relay, 0x16, stored,
                              {0x0F, 0x0F});
    QCOMPARE(frameText(0, 0x80, relay.code, relayData(relay, checked), false), hex);
}

void tst_Frames::baseConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("toDecimal");
    QTest::addColumn<QString>("converted");

    QTest::newRow("hex to decimal") << "80 02 01" << true << "128 2 1";
    QTest::newRow("decimal to hex") << "128 2 1" << false << "80 02 01";
    QTest::newRow("hex FF to decimal") << "20 FF FF FF" << true << "32 255 255 255";
    QTest::newRow("decimal 255 to hex") << "32 255 255 255" << false << "20 FF FF FF";
    QTest::newRow("0 to decimal") << "0" << true << "0";
    QTest::newRow("0 to hex") << "0" << false << "00";
    QTest::newRow("empty to decimal") << "" << true << "0";
    QTest::newRow("empty to hex") << "" << false << "00";
    QTest::newRow("double space keeps an empty part") << "1  2" << false << "01 00 02";
    QTest::newRow("unreadable part reads as 0") << "80 zz 01" << true << "128 0 1";
}

void tst_Frames::baseConversion()
{
    QFETCH(QString, text);
    QFETCH(bool, toDecimal);
    QFETCH(QString, converted);
    QCOMPARE(convertFrameText(text, toDecimal), converted);
}

void tst_Frames::baseConversionRoundTrip()
{
    const int categories[] = {2, 3, 4, 5, 6, 7, 8, 12, 19};
    int checkedFrames = 0;
    for (const PlayerModel &candidate : catalogue) {
        for (int category : categories) {
            quint8 code = 0;
            ByteList data;
            if (!build(candidate, button(category), {}, code, data))
                continue;
            const quint8 idByte = idByteFor(QStringLiteral("5"), true);
            const QString hex = frameText(candidate.protocol, idByte, code, data, false);
            const QString decimal = frameText(candidate.protocol, idByte, code, data, true);
            const QByteArray where =
                candidate.name.toUtf8() + " category " + QByteArray::number(category);
            QVERIFY2(convertFrameText(decimal, false) == hex, where.constData());
            QVERIFY2(convertFrameText(hex, true) == decimal, where.constData());
            ++checkedFrames;
        }
    }
    QVERIFY(checkedFrames > 0);
}

QTEST_APPLESS_MAIN(tst_Frames)
#include "tst_frames.moc"
