#include "catalogue/playercatalogue.h"
#include "connection/modelpanels.h"
#include "examplemodels.h"
#include "simulator/framedescription.h"
#include "simulator/framestreamdecoder.h"
#include "testtable.h"
#include "transmission/controlframe.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

namespace {

// Built on first use: the catalogue's tables are static data of another file.
const PlayerCatalogueList &catalogue()
{
    static const PlayerCatalogueList models = buildCatalogueModels();
    return models;
}

QByteArray hex(const QString &spaced)
{
    return QByteArray::fromHex(spaced.toLatin1());
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
            const auto built = frameFor(model, numberControl(ControlKind::Folder, folder));
            DecodedFrame frame = expected;
            frame.folder = folder;
            add(built->code, built->data, frame);
        }
        break;
    }
    case CommandCategory::Volume: {
        const VolumeRange range = *volumeRange(command, model.protocol);
        for (int value : {range.minimum, (range.minimum + range.maximum) / 2, range.maximum}) {
            const auto built = frameFor(model, numberControl(ControlKind::Volume, value));
            DecodedFrame frame = expected;
            frame.volume = value;
            add(built->code, built->data, frame);
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
        const auto built = frameFor(model, buttonControl(command.category));
        add(built->code, built->data, expected);
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

    TestTable table(QStringLiteral("frames/examples.txt"), 5);
    QVERIFY2(table.holds(43), table.problem());
    for (const QStringList &row : table.rows())
        QTest::newRow(qPrintable(row.at(0)))
            << row.at(1) << row.at(3) << row.at(3) + "  " + row.at(4);
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

    TestTable table(QStringLiteral("decoder/malformed.txt"), 4);
    QVERIFY2(table.holds(20), table.problem());
    const QRegularExpression generated(QStringLiteral("^(random|zeros)\\((\\d+)(?:,(\\d+))?\\)$"));
    for (const QStringList &row : table.rows()) {
        QByteArrayList parts;
        for (const QString &part : row.at(2).split(';')) {
            QByteArray bytes;
            for (const QString &word : part.split(' ', Qt::SkipEmptyParts)) {
                const QRegularExpressionMatch match = generated.match(word);
                if (!match.hasMatch())
                    bytes += QByteArray::fromHex(word.toLatin1());
                else if (match.captured(1) == "zeros")
                    bytes += QByteArray(match.captured(2).toInt(), '\0');
                else
                    bytes += randomBytes(match.captured(2).toInt(), match.captured(3).toUInt());
            }
            parts << bytes;
        }
        QStringList lastLines = row.at(3).split(';');
        for (QString &line : lastLines)
            line = line.trimmed();
        QTest::newRow(qPrintable(row.at(0))) << row.at(1) << parts << lastLines;
    }
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
