#include "catalogue/playercatalogue.h"
#include "connection/modelpanels.h"
#include "simulator/framedescription.h"
#include "simulator/framestreamdecoder.h"
#include "transmission/frames.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Built on first use: the catalogue's tables are static data of another file.
const PlayerCatalogueList &catalogue()
{
    static const PlayerCatalogueList models = buildCatalogueModels();
    return models;
}

// A catalogue model by name; "+ relays" gives it the relay command that no model has.
PlayerModel modelNamed(const QString &name)
{
    const QString withRelays = QStringLiteral(" + relays");
    const QString base = name.endsWith(withRelays) ? name.chopped(withRelays.size()) : name;
    for (PlayerModel model : catalogue()) {
        if (model.name != base)
            continue;
        if (base != name) {
            model.commands.append(
                PlayerCommand("Relays", CommandCategory::Relay, 0x16, {0x00, 0x00}, {0x0F, 0x0F}));
        }
        return model;
    }
    qFatal("no model named %s", qPrintable(name));
}

QByteArray hex(const QString &spaced)
{
    return QByteArray::fromHex(spaced.toLatin1());
}

QString textBytes(const char *text)
{
    return hexBytes(QByteArray(text));
}

// The stream in reads of `chunkSize` bytes (0: one read), then the line goes quiet.
QVector<DecodedFrame> decodeStream(const PlayerModel &model, const QByteArray &bytes,
                                   int chunkSize = 0)
{
    FrameStreamDecoder decoder(model);
    QVector<DecodedFrame> frames;
    const int step = chunkSize > 0 ? chunkSize : qMax(1, bytes.size());
    for (int from = 0; from < bytes.size(); from += step)
        frames += decoder.feed(bytes.mid(from, step));
    frames += decoder.flush();
    return frames;
}

QStringList lines(const QVector<DecodedFrame> &frames)
{
    QStringList result;
    for (const DecodedFrame &frame : frames)
        result << describeFrame(frame);
    return result;
}

// 2026-12-04 14:05:09 where the clock is one hour ahead of UTC.
ClockReading fixedClock()
{
    const QDateTime utc(QDate(2026, 12, 4), QTime(13, 5, 9), Qt::UTC);
    return {utc.toOffsetFromUtc(3600), utc, utc.toMSecsSinceEpoch()};
}

ClockValues clockValues(int category, const ClockReading &clock)
{
    ClockValues values;
    const QDateTime instant = category == CommandCategory::SetUtcDateTime ? clock.utc : clock.local;
    if (category != CommandCategory::SetTime && category != CommandCategory::SetUtcEpoch) {
        values.year = instant.date().year() % 100;
        values.month = instant.date().month();
        values.day = instant.date().day();
    }
    if (category != CommandCategory::SetDate && category != CommandCategory::SetUtcEpoch) {
        values.hour = instant.time().hour();
        values.minute = instant.time().minute();
        values.second = instant.time().second();
    }
    if (category == CommandCategory::SetUtcEpoch)
        values.epochSeconds = clock.msecsSinceEpoch / 1000;
    return values;
}

// One frame as the console's builders make it, and what decoding it must give back.
struct BuiltFrame
{
    QString name;
    QByteArray bytes;
    DecodedFrame expected;
};

// Every way the window sends this command: each parameter at its ends, each player ID at its
// ends.
QVector<BuiltFrame> builtFrames(const PlayerModel &model, int index)
{
    const PlayerCommand &command = model.commands.at(index);
    DecodedFrame expected;
    expected.decoded = true;
    expected.commandIndex = index;
    expected.label = command.label;
    expected.category = command.category;

    // Code, data and the parameter they carry, before the ID byte is added.
    QVector<std::tuple<quint8, ByteList, DecodedFrame>> variants;
    auto add = [&](quint8 code, const ByteList &data, const DecodedFrame &frame) {
        variants.append({code, data, frame});
    };
    switch (command.category) {
    case CommandCategory::Folder: {
        const int highest = qMin(999, model.folderBanks * 128 - 1);
        for (int folder : {0, 127, qMin(128, highest), highest}) {
            quint8 code = command.code;
            ByteList data = commandData(model, command);
            placeFolder(folder, code, data);
            DecodedFrame frame = expected;
            frame.folder = folder;
            add(code, data, frame);
        }
        break;
    }
    case CommandCategory::Volume: {
        const VolumeRange range = *volumeRange(command, model.protocol);
        for (int value : {range.minimum, (range.minimum + range.maximum) / 2, range.maximum}) {
            quint8 code = 0;
            ByteList data;
            buildVolume(model, static_cast<quint8>(value), code, data);
            DecodedFrame frame = expected;
            frame.volume = value;
            add(code, data, frame);
        }
        break;
    }
    case CommandCategory::ChangeId:
        for (int newId : {int(command.dataMin.at(0)), int(command.dataMax.at(0))}) {
            ByteList data = commandData(model, command);
            data[0] = static_cast<quint8>(newId);
            DecodedFrame frame = expected;
            frame.newId = newId;
            add(command.code, data, frame);
        }
        break;
    case CommandCategory::Request:
        add(command.code, requestData(model, command), expected);
        break;
    case CommandCategory::Relay:
        for (int relays : {0x00, 0x85, 0xFF}) {
            QVector<bool> checked(8);
            for (int relay = 0; relay < 8; ++relay)
                checked[relay] = relays & (1 << relay);
            DecodedFrame frame = expected;
            frame.relays = relays;
            add(command.code, relayData(command, checked), frame);
        }
        break;
    case CommandCategory::ContentFolder:
    case CommandCategory::ContentFolderOption:
    case CommandCategory::Webradio:
    case CommandCategory::AlternateSource: {
        const int lowest = command.dataMin.at(0) * 256 + command.dataMin.at(1);
        const int highest = command.dataMax.at(0) * 256 + command.dataMax.at(1);
        for (int end = 0; end < 2; ++end) {
            const int number = end == 0 ? lowest : highest;
            const int option = end == 0 ? command.dataMin.at(2) : command.dataMax.at(2);
            DecodedFrame frame = expected;
            if (command.category == CommandCategory::ContentFolder)
                frame.reference = number;
            if (command.category == CommandCategory::Webradio)
                frame.preset = number;
            // Over TCP/IP a folder with an option travels without its numbers.
            if (command.category == CommandCategory::ContentFolderOption && !model.isTcp()) {
                frame.reference = number;
                frame.option = option;
            }
            add(command.code, launchData(model, command, {number, option, number}), frame);
        }
        break;
    }
    case CommandCategory::PreviousFolder:
    case CommandCategory::PreviousFile:
    case CommandCategory::Play:
    case CommandCategory::Stop:
    case CommandCategory::Pause:
    case CommandCategory::NextFile:
    case CommandCategory::NextFolder:
    case CommandCategory::StandbyWakeup:
    case CommandCategory::MuteToggle: {
        ByteList data = commandData(model, command);
        appendPlaybackTrailer(model, command.category, data);
        add(command.code, data, expected);
        break;
    }
    default: {
        DecodedFrame frame = expected;
        if (command.category >= CommandCategory::SetTime &&
            command.category <= CommandCategory::SetUtcDateTime)
            frame.clock = clockValues(command.category, fixedClock());
        add(command.code, otherCommandData(command, fixedClock()), frame);
        break;
    }
    }

    QVector<BuiltFrame> frames;
    const QVector<int> ids =
        model.protocol == 0 ? QVector<int>{model.minId, model.maxId} : QVector<int>{-1};
    for (const auto &[code, data, frame] : qAsConst(variants)) {
        for (int id : ids) {
            BuiltFrame built{model.name + '/' + command.label, {}, frame};
            built.bytes = assembleFrame(model.protocol, static_cast<quint8>(id + 0x80), code, data);
            built.expected.bytes = built.bytes;
            if (id >= 0)
                built.expected.playerId = id;
            frames.append(built);
        }
    }
    return frames;
}

// The decoded frame without the on-demand envelope, which the examples check text by text.
DecodedFrame withoutEnvelope(DecodedFrame frame)
{
    frame.verb.clear();
    frame.texts.clear();
    return frame;
}

QByteArray randomBytes(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(count, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

} // namespace

class tst_FrameDecoder : public QObject
{
    Q_OBJECT

private slots:
    void examples_data();
    void examples();
    void roundTrip();
    void malformedInput_data();
    void malformedInput();
};

void tst_FrameDecoder::examples_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("bytes");
    QTest::addColumn<QString>("line");

    const QString trailer = " 32 35 35 00 32 35 35 00";
    const QString cmd = "00 00 00 63 6D 64 00 ";
    auto row = [](const char *name, const QString &model, const QString &bytes,
                  const QString &description) {
        QTest::newRow(name) << model << bytes << bytes + "  " + description;
    };

    row("Timetune/play/id 0", "Timetune", "80 02 01", "id 0  Play");
    row("Timetune/play/id 5", "Timetune", "85 02 01", "id 5  Play");
    row("Timetune/play/id 127", "Timetune", "FF 02 01", "id 127  Play");
    row("Timetune/stop", "Timetune", "80 02 02", "id 0  Stop");
    row("Timetune/next file", "Timetune", "80 02 03", "id 0  Next File");
    row("Timetune/previous file", "Timetune", "80 02 04", "id 0  Previous File");
    row("Timetune/next folder", "Timetune", "80 02 06", "id 0  Next Folder");
    row("Timetune/previous folder", "Timetune", "80 02 07", "id 0  Previous Folder");
    row("Timetune/folder 3", "Timetune", "80 01 03", "id 0  Folder 3");
    row("Timetune/folder 5", "Timetune", "80 01 05", "id 0  Folder 5");
    row("Timetune/folder 130", "Timetune", "80 11 02", "id 0  Folder 130 (bank 1, number 2)");
    row("Timetune/folder 999", "Timetune", "80 71 67", "id 0  Folder 999 (bank 7, number 103)");
    row("Timetune/volume 40", "Timetune", "80 03 28", "id 0  Volume 40");
    row("Timetune + relays/relays 1, 3 and 8", "Timetune + relays", "80 16 05 08",
        "id 0  Relays on: 1 3 8");
    row("Showcaster serial/play/id 5", "Showcaster - SC900 (Serial)", "85 02 01", "id 5  Play");
    row("Showcaster serial/pause", "Showcaster - SC900 (Serial)", "80 02 05", "id 0  Play/Pause");
    row("Showcaster serial/standby", "Showcaster - SC900 (Serial)", "80 02 08",
        "id 0  Standby/Wakeup");
    row("Showcaster serial/mute toggle", "Showcaster - SC900 (Serial)", "80 02 10",
        "id 0  Mute/Demute");
    row("Showcaster serial/request Player Status", "Showcaster - SC900 (Serial)", "80 04 01",
        "id 0  Player Status?");
    row("Showcaster serial/request Volume", "Showcaster - SC900 (Serial)", "80 04 0B",
        "id 0  Volume?");
    row("Showcaster serial/set time", "Showcaster - SC900 (Serial)", "80 0C 0E 05 09",
        "id 0  Set time 14:05:09");
    row("Showcaster serial/set date", "Showcaster - SC900 (Serial)", "80 1C 1A 0C 04",
        "id 0  Set date 26-12-04");
    row("Showcaster serial/set date and time", "Showcaster - SC900 (Serial)",
        "80 2C 1A 0C 04 0E 05 09", "id 0  Set date/time 26-12-04 14:05:09");
    row("Showcaster serial/set UTC epoch", "Showcaster - SC900 (Serial)", "80 3C 06 5A 27 24 00",
        "id 0  Set UTC/GMT date/time (epoch version) 1800000000 (2027-01-15 08:00:00 UTC)");
    row("Showcaster serial/set UTC full", "Showcaster - SC900 (Serial)", "80 4C 1B 01 0F 08 00 00",
        "id 0  Set UTC/GMT date/time (full version) 27-01-15 08:00:00");
    row("Showcaster serial/NTP on", "Showcaster - SC900 (Serial)", "80 5C 01", "id 0  NTP on");
    row("Showcaster serial/NTP off", "Showcaster - SC900 (Serial)", "80 5C 00", "id 0  NTP off");
    row("Showcaster network/play", "Showcaster - SC900 (TCP/IP)", "80 02 01", "id 0  Play");
    row("Boostbox/change ID to 5", "Boostbox 1", "80 7F 05", "id 0  Change ID to 5");
    row("Tunebox serial/play", "Tunebox (Serial)", "20 FF FF FF", "Play");
    row("Tunebox serial/volume 40", "Tunebox (Serial)", "30 00 28 00", "Volume 40");
    row("Tunebox serial/other Mute", "Tunebox (Serial)", "33 00 01 00", "Mute");
    row("Tunebox serial/launch MUSIC folder 005", "Tunebox (Serial)", "00 00 05 FF",
        "MUSIC folder (Random) reference 5");
    row("Tunebox serial/launch SPOT folder 010 option 003", "Tunebox (Serial)", "12 00 0A 03",
        "SPOT folder (Random + Reset) reference 10 option 3");
    row("Tunebox serial/launch Webradio 002", "Tunebox (Serial)", "40 00 02 FF",
        "Webradio preset 2");
    row("Tunebox serial/launch SD card", "Tunebox (Serial)", "51 FF FF FF", "Alternate: SD card");
    row("Tunebox NX/play", "Tunebox (NX) (TCP/IP)", "04 " + cmd + "33 32 00" + trailer,
        "Play  cmd \"32\" \"255\" \"255\"");
    row("Tunebox NX/stop", "Tunebox (NX) (TCP/IP)", "04 " + cmd + "33 34 00" + trailer,
        "Stop  cmd \"34\" \"255\" \"255\"");
    row("Tunebox NX/volume 40", "Tunebox (NX) (TCP/IP)",
        "03 00 00 00 73 65 74 00 " + textBytes("VolumeLocalMusic") + " 00 2D 32 34 00",
        "Volume 40  set \"VolumeLocalMusic\" \"-24\"");
    row("Tunebox NX/request Player status", "Tunebox (NX) (TCP/IP)",
        "02 00 00 00 67 65 74 00 " + textBytes("PlayerStatus") + " 00",
        "Player status?  get \"PlayerStatus\"");
    row("Tunebox NX/launch MUSIC folder 005", "Tunebox (NX) (TCP/IP)",
        "04 " + cmd + "30 00 35 00 30 00",
        "MUSIC folder (Random) reference 5  cmd \"0\" \"5\" \"0\"");
    row("Tunebox NX/launch Webradio 002", "Tunebox (NX) (TCP/IP)",
        "04 " + cmd + "36 34 00 32 00 30 00", "Webradio preset 2  cmd \"64\" \"2\" \"0\"");
    row("Tunebox NX/launch SD card", "Tunebox (NX) (TCP/IP)", "04 " + cmd + "38 31 00 30 00 30 00",
        "Alternate: SD card  cmd \"81\" \"0\" \"0\"");
}

void tst_FrameDecoder::examples()
{
    QFETCH(QString, model);
    QFETCH(QString, bytes);
    QFETCH(QString, line);

    const QVector<DecodedFrame> frames = decodeStream(modelNamed(model), hex(bytes));
    QCOMPARE(lines(frames), QStringList{line});
    // Read one byte at a time, the frame is the same.
    QCOMPARE(decodeStream(modelNamed(model), hex(bytes), 1), frames);
}

void tst_FrameDecoder::roundTrip()
{
    int checked = 0;
    // The relay command too, though no model of the catalogue has one.
    const PlayerCatalogueList models =
        catalogue() + PlayerCatalogueList{modelNamed("Timetune + relays")};
    for (const PlayerModel &model : models) {
        QByteArray stream;
        QVector<DecodedFrame> expectedStream;
        for (int index = 0; index < model.commands.size(); ++index) {
            for (const BuiltFrame &built : builtFrames(model, index)) {
                const QVector<DecodedFrame> frames = decodeStream(model, built.bytes);
                const QString failure = built.name + ": " + hexBytes(built.bytes) + " read as " +
                                        lines(frames).join(" | ");
                QVERIFY2(frames.size() == 1, qPrintable(failure));
                QVERIFY2(withoutEnvelope(frames.first()) == built.expected, qPrintable(failure));
                stream += built.bytes;
                expectedStream += frames.first();
                ++checked;
            }
        }
        // Back to back on one line, every frame keeps its boundaries.
        QVERIFY2(decodeStream(model, stream) == expectedStream, qPrintable(model.name));
    }
    QVERIFY(checked > 500);
}

void tst_FrameDecoder::malformedInput_data()
{
    QTest::addColumn<QString>("model");
    // Parts of the stream with the line going quiet after each.
    QTest::addColumn<QByteArrayList>("parts");
    // The lines that end the transcript.
    QTest::addColumn<QStringList>("lastLines");

    const QString play = "80 02 01  id 0  Play";
    const QByteArray nxRequest =
        hex("02 00 00 00 67 65 74 00 " + textBytes("PlayerStatus") + " 00");
    const QString nxRequestLine = hexBytes(nxRequest) + "  Player status?  get \"PlayerStatus\"";

    QTest::newRow("truncated/Timetune play") << "Timetune" << QByteArrayList{hex("80 02")}
                                             << QStringList{"80 02  undecodable (2 bytes)"};
    QTest::newRow("truncated/Timetune play, then a good frame")
        << "Timetune" << QByteArrayList{hex("80 02 80 02 01")}
        << QStringList{"80 02  undecodable (2 bytes)", play};
    QTest::newRow("truncated/Showcaster set date and time, then a good frame")
        << "Showcaster - SC900 (Serial)" << QByteArrayList{hex("80 2C 1A 0C 04 0E 05 80 02 01")}
        << QStringList{"80 2C 1A 0C 04 0E 05  undecodable (7 bytes)", play};
    QTest::newRow("truncated/Tunebox serial play")
        << "Tunebox (Serial)" << QByteArrayList{hex("20 FF FF"), hex("20 FF FF FF")}
        << QStringList{"20 FF FF  undecodable (3 bytes)", "20 FF FF FF  Play"};
    QTest::newRow("truncated/Tunebox NX request, then a good one")
        << "Tunebox (NX) (TCP/IP)" << QByteArrayList{nxRequest.chopped(1) + nxRequest}
        << QStringList{hexBytes(nxRequest.chopped(1)) + "  undecodable (20 bytes)", nxRequestLine};
    QTest::newRow("out of range/Showcaster volume 101")
        << "Showcaster - SC900 (Serial)" << QByteArrayList{hex("80 03 65 80 02 01")}
        << QStringList{"80 03 65  undecodable (3 bytes)", play};
    QTest::newRow("out of range/Showcaster unused action 0B")
        << "Showcaster - SC900 (Serial)" << QByteArrayList{hex("80 02 0B")}
        << QStringList{"80 02 0B  undecodable (3 bytes)"};
    QTest::newRow("out of range/FB4xxQ(n) serial folder bank 2")
        << "FB4xxQ(n) (Serial) (legacy)" << QByteArrayList{hex("80 21 00")}
        << QStringList{"80 21 00  undecodable (3 bytes)"};
    QTest::newRow("out of range/Timetune folder 1000")
        << "Timetune" << QByteArrayList{hex("80 71 68")}
        << QStringList{"80 71 68  undecodable (3 bytes)"};
    QTest::newRow("out of range/Showcaster set time 24:00:00")
        << "Showcaster - SC900 (Serial)" << QByteArrayList{hex("80 0C 18 00 00")}
        << QStringList{"80 0C 18 00 00  undecodable (5 bytes)"};
    QTest::newRow("out of range/Tunebox serial folder reference 0")
        << "Tunebox (Serial)" << QByteArrayList{hex("00 00 00 FF")}
        << QStringList{"00 00 00 FF  undecodable (4 bytes)"};
    QTest::newRow("out of range/Tunebox NX volume above the top")
        << "Tunebox (NX) (TCP/IP)"
        << QByteArrayList{hex("03 00 00 00 73 65 74 00 " + textBytes("VolumeLocalMusic") +
                              " 00 31 00")}
        << QStringList{"03 00 00 00 73 65 74 00 " + textBytes("VolumeLocalMusic") +
                       " 00 31 00  undecodable (27 bytes)"};
    QTest::newRow("out of range/Tunebox NX unknown command")
        << "Tunebox (NX) (TCP/IP)"
        << QByteArrayList{hex("04 " + QString("00 00 00 63 6D 64 00 39 39 00"))}
        << QStringList{"04 00 00 00 63 6D 64 00 39 39 00  undecodable (11 bytes)"};

    const QByteArray garbage = randomBytes(64 * 1024, 7);
    const QByteArray burst = randomBytes(1024 * 1024, 11);
    QTest::newRow("random bytes/Showcaster serial, then a good frame")
        << "Showcaster - SC900 (Serial)" << QByteArrayList{garbage + hex("80 02 01")}
        << QStringList{play};
    QTest::newRow("random bytes/Tunebox NX, then a good request")
        << "Tunebox (NX) (TCP/IP)" << QByteArrayList{garbage + nxRequest}
        << QStringList{nxRequestLine};
    // Without framing, the unaddressed family finds its way back only when the line pauses.
    QTest::newRow("random bytes/Tunebox serial, a pause, then a good frame")
        << "Tunebox (Serial)" << QByteArrayList{garbage, hex("20 FF FF FF")}
        << QStringList{"20 FF FF FF  Play"};
    QTest::newRow("1 MB burst/Showcaster network, then a good frame")
        << "Showcaster - SC900 (TCP/IP)" << QByteArrayList{burst + hex("80 04 01")}
        << QStringList{"80 04 01  id 0  Player Status?"};
    QTest::newRow("1 MB burst/Tunebox NX, then a good request")
        << "Tunebox (NX) (TCP/IP)" << QByteArrayList{burst + nxRequest}
        << QStringList{nxRequestLine};
    QTest::newRow("1 MB burst/Tunebox serial, a pause, then a good frame")
        << "Tunebox (Serial)" << QByteArrayList{burst, hex("30 00 28 00")}
        << QStringList{"30 00 28 00  Volume 40"};
    QTest::newRow("1 MB of zero bytes/Tunebox NX, then a good request")
        << "Tunebox (NX) (TCP/IP)" << QByteArrayList{QByteArray(1024 * 1024, '\0') + nxRequest}
        << QStringList{nxRequestLine};
}

void tst_FrameDecoder::malformedInput()
{
    QFETCH(QString, model);
    QFETCH(QByteArrayList, parts);
    QFETCH(QStringList, lastLines);

    const PlayerModel device = modelNamed(model);
    QRandomGenerator chunkSizes(3);
    QVector<DecodedFrame> frames;
    QByteArray rebuilt;
    int undecodable = 0;
    for (const QByteArray &part : qAsConst(parts)) {
        const QVector<DecodedFrame> whole = decodeStream(device, part);
        // However the part is cut into reads, the same frames come out. (Small reads only for
        // the shorter parts: a megabyte would take long under the sanitizers.)
        const int someSize = 2 + int(chunkSizes.bounded(40));
        const QVector<int> readSizes =
            part.size() <= 64 * 1024 ? QVector<int>{1, someSize, 4096} : QVector<int>{4096};
        for (int chunkSize : readSizes)
            QCOMPARE(decodeStream(device, part, chunkSize), whole);
        for (const DecodedFrame &frame : whole) {
            rebuilt += frame.bytes;
            if (!frame.decoded) {
                ++undecodable;
                QVERIFY(frame.bytes.size() <= FrameStreamDecoder::longestUndecodableRun);
            }
        }
        frames += whole;
    }
    // Every byte is in the transcript, in order: undecodable bytes are shown, never dropped.
    QCOMPARE(rebuilt, parts.join());
    QVERIFY(undecodable > 0);
    QCOMPARE(lines(frames.mid(frames.size() - lastLines.size())), lastLines);
}

QTEST_APPLESS_MAIN(tst_FrameDecoder)
#include "tst_framedecoder.moc"
