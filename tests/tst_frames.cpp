#include "catalogue/folders.h"
#include "modelselection/modelpanels.h"
#include "recording/sessionlines.h"
#include "sender/commandnames.h"
#include "sender/sendercommandline.h"
#include "simulator/framedescription.h"
#include "simulator/framestreamdecoder.h"
#include "simulator/simulateddevice.h"
#include "testtable.h"

#include <QtTest>

#include <sys/stat.h>

// The frames that the window builds, as the simulator reads and answers them and as zoxen-send
// resolves its command lines: one builder, `frameFor`, seen from every side.
namespace {

// Built once the program runs, after the catalogue's own constants.
const PlayerCatalogueList &catalogue()
{
    static const PlayerCatalogueList models = buildCatalogueModels();
    return models;
}

// A catalogue model by name; "NAME + relays" gives it the relay command that no model has.
PlayerModel modelNamed(const QString &name)
{
    for (PlayerModel model : catalogue()) {
        if (model.name == name.section(QStringLiteral(" + "), 0, 0)) {
            if (name.endsWith(QStringLiteral(" + relays")))
                model.commands << PlayerCommand("Relays", CommandCategory::Relay, 0x16, {0, 0},
                                                {0x0F, 0x0F});
            return model;
        }
    }
    qFatal("no model named %s", qPrintable(name));
}

// The wire bytes of the control that a "built by" cell of tests/data/frames/examples.txt names.
std::optional<QByteArray> wireBytes(const PlayerModel &model, const QString &cell)
{
    using namespace CommandCategory;
    static const QHash<QString, int> buttons = {{"Play", Play},
                                                {"Stop", Stop},
                                                {"Pause", Pause},
                                                {"NextFile", NextFile},
                                                {"PreviousFile", PreviousFile},
                                                {"NextFolder", NextFolder},
                                                {"PreviousFolder", PreviousFolder},
                                                {"StandbyWakeup", StandbyWakeup},
                                                {"MuteToggle", MuteToggle}};
    static const QHash<QString, ControlKind> kinds = {
        {"folder", ControlKind::Folder},      {"volume", ControlKind::Volume},
        {"change", ControlKind::ChangeId},    {"request", ControlKind::Request},
        {"other", ControlKind::OtherCommand}, {"launch", ControlKind::Launch},
        {"relays", ControlKind::Relay}};
    // The number after ", KEY " in the cell, or 0.
    const auto after = [&cell](const char *key) {
        return QRegularExpression(QString(", %1 (\\d+)").arg(key)).match(cell).captured(1).toInt();
    };
    const QString action = cell.section(QStringLiteral(", "), 0, 0);
    const QString word = action.section(QLatin1Char(' '), 0, 0);
    const QString argument = action.section(QLatin1Char(' '), word == "change" ? 2 : 1);
    Control control = kinds.contains(word) ? entryControl(kinds.value(word), argument)
                                           : buttonControl(buttons.value(word));
    control.number = argument.toInt();
    control.launch = {after("reference"), after("option"), after("preset")};
    for (int relay = 1; relay <= 8; ++relay)
        control.relays << (word == "relays" &&
                           argument.split(' ').contains(QString::number(relay)));
    const QDateTime instant =
        QDateTime::fromString(cell.section(QStringLiteral(", at "), 1), Qt::ISODate);
    control.clock = {instant, instant.toUTC(), instant.toMSecsSinceEpoch()};
    const auto frame = frameFor(model, control);
    if (!frame)
        return std::nullopt;
    return assembleFrame(model.protocol, idByteFor(QString::number(after("id")), true), frame->code,
                         frame->data);
}

} // namespace

class tst_Frames : public QObject
{
    Q_OBJECT

private slots:
    void examples_data();
    void examples();
    void undecodableBytesKept();
    void deviceAnswers();
    void rangesNotFromZero();
    void folderNumberingRoundTrip();
    void clockCommands();
    void senderAtBothEnds();
    void senderCommandLines();
    void recordingLines();
};

void tst_Frames::examples_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("builtBy");
    QTest::addColumn<QString>("bytes");
    QTest::addColumn<QString>("decoded");
    const QVector<QStringList> rows = tableRows(QStringLiteral("frames/examples.txt"), 5);
    QCOMPARE(rows.size(), 45);
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row.at(0))) << row.at(1) << row.at(2) << row.at(3) << row.at(4);
}

// Built by the console, the bytes of the table; read by the simulator, the bytes and the
// description of the table.
void tst_Frames::examples()
{
    QFETCH(QString, model);
    QFETCH(QString, builtBy);
    QFETCH(QString, bytes);
    QFETCH(QString, decoded);
    const PlayerModel device = modelNamed(model);
    const auto wire = wireBytes(device, builtBy);
    QVERIFY(wire);
    QCOMPARE(wire->toHex(' ').toUpper(), bytes.toLatin1());
    FrameStreamDecoder decoder(device);
    QStringList lines;
    for (const DecodedFrame &frame : decoder.feed(*wire) + decoder.flush())
        lines << describeFrame(frame);
    QCOMPARE(lines, QStringList{bytes + "  " + decoded});
}

// Bytes that make no frame are shown, never dropped, and the frame after them is still read.
void tst_Frames::undecodableBytesKept()
{
    FrameStreamDecoder decoder(modelNamed(QStringLiteral("Timetune")));
    QStringList lines;
    for (const DecodedFrame &frame : decoder.feed(QByteArray::fromHex("0102800201")))
        lines << describeFrame(frame);
    QCOMPARE(lines, QStringList({"01 02  undecodable (2 bytes)", "80 02 01  id 0  Play"}));
}

// Frames built as in the example table, separated by "; ", and the device's answers to them.
void tst_Frames::deviceAnswers()
{
    const QString showcaster = QStringLiteral("Showcaster - SC900 (Serial)");
    const QVector<QStringList> rows = {
        {showcaster, "other Volume +; request Volume", "VOLUME: 100\\r\\n"},
        {showcaster, "volume 40; other Mute; request Volume", "VOLUME: 40 MUTED\\r\\n"},
        {"Boostbox 1", "change id 5; request Information; request Information, id 5",
         "INFORMATION: ID 5 VOLUME 56\\r\\n"},
        {"Tunebox (NX) (TCP/IP)", "volume 40; request Volume", "VOLUME: 40\\0"},
    };
    for (const QStringList &row : rows) {
        SimulatedDevice device(modelNamed(row[0]));
        FrameStreamDecoder decoder(device.model());
        QStringList said;
        for (const QString &cell : row[1].split(QStringLiteral("; "))) {
            for (const DecodedFrame &frame : decoder.feed(*wireBytes(device.model(), cell)))
                said << escapedText(device.react(frame).reply);
        }
        said.removeAll(QString());
        QCOMPARE(said.join(QStringLiteral(" | ")), row[2]);
    }
}

// The volume and folder rules on ranges that do not start at 0, shown in both bases.
void tst_Frames::rangesNotFromZero()
{
    using namespace CommandCategory;
    const std::tuple<PlayerCommand, int, QString> rows[] = {
        {{"Volume", Volume, 0x03, {5}, {40}}, 5, "80 03 05"},
        {{"Volume", Volume, 0x03, {5}, {40}}, 40, "80 03 28"},
        {{"Volume", Volume, 0x30, {0, 0, 0}, {0x01, 0x2C, 0}}, 256, "30 01 00 00"},
        {{"Volume", Volume, 0x30, {0, 0, 0}, {0x01, 0x2C, 0}}, 300, "30 01 2C 00"},
        {{"Folder", Folder, 0x01, {1}, {99}}, 99, "80 01 63"},
        {{"Folder", Folder, 0x01, {1}, {99}}, 100, "80 11 01"}};
    for (const auto &[command, number, hex] : rows) {
        const int protocol = command.dataMin.size() == 3 ? 1 : 0;
        PlayerModel model(QStringLiteral("Test model"), protocol, 0, 0, 1, 2, 9600, 0);
        model.commands = {command};
        const auto frame = outgoingFrame(
            model, 0x80,
            numberControl(command.category == Folder ? ControlKind::Folder : ControlKind::Volume,
                          number));
        QVERIFY(frame);
        QCOMPARE(bytesText(frame->bytes, false), hex);
        QCOMPARE(convertFrameText(hex, true), bytesText(frame->bytes, true));
    }
}

// The list that the window offers and the bank split that sends it are one mapping.
void tst_Frames::folderNumberingRoundTrip()
{
    for (const auto &[first, last] : {std::pair(0, 127), std::pair(1, 99), std::pair(10, 19)}) {
        const PlayerCommand folder("Folder", CommandCategory::Folder, 0x01, {quint8(first)},
                                   {quint8(last)});
        const QVector<int> numbers = folderNumbers(folder, 8);
        QCOMPARE(numbers.first(), first);
        QCOMPARE(numbers.last(), qMin(999, 8 * (last - first + 1) - 1 + first));
        QStringList entries;
        for (int number : numbers) {
            const auto position = folderPosition(folder, 8, number);
            QVERIFY(position && position->value >= first && position->value <= last);
            QCOMPARE((last - first + 1) * position->bank + position->value, number);
            entries << QString::number(number).rightJustified(3, '0');
        }
        QCOMPARE(folderEntries(folder, 8), entries);
        QVERIFY(!folderPosition(folder, 8, first - 1));
    }
}

// The clock commands: the local ones take the date and time as read, the UTC ones convert
// them first.
void tst_Frames::clockCommands()
{
    const PlayerModel showcaster = modelNamed(QStringLiteral("Showcaster - SC900 (Serial)"));
    const QVector<QStringList> rows = tableRows(QStringLiteral("frames/clock.txt"), 4);
    QCOMPARE(rows.size(), 12);
    for (const QStringList &row : rows) {
        const QDateTime instant = QDateTime::fromString(row[2], Qt::ISODateWithMs);
        Control control = entryControl(ControlKind::OtherCommand, row[1]);
        control.clock = {instant, instant.toUTC(), instant.toMSecsSinceEpoch()};
        const auto frame = outgoingFrame(showcaster, 0x80, control);
        QVERIFY2(frame, qPrintable(row[0]));
        QCOMPARE(row[0] + ": " + bytesText(frame->bytes, false), row[0] + ": " + row[3]);
    }
}

// Every control of every model, typed in capitals at both ends of its ranges, sends a frame that
// the simulator reads as that command with those numbers. Past the ends: senderCommandLines.
void tst_Frames::senderAtBothEnds()
{
    const QDateTime instant = QDateTime::fromString("2027-01-15T08:00:00Z", Qt::ISODate);
    for (const PlayerModel &model : catalogue()) {
        for (const NamedControl &named : namedControls(model)) {
            QVector<int> lowest;
            QVector<int> highest;
            for (const ParameterRange &range : named.parameters) {
                lowest << range.minimum;
                highest << range.maximum;
            }
            for (const QVector<int> &values : {lowest, highest}) {
                QStringList typed{named.name.toUpper()};
                for (int value : values)
                    typed << QString::number(value);
                const auto resolved = resolveCommand(model, typed.join(' '));
                const QString where = model.name + ": " + typed.join(' ') + ": " + resolved.error;
                Control control = resolved.control.value_or(Control());
                control.clock = {instant, instant, instant.toMSecsSinceEpoch()};
                const CommandFrame sent = frameFor(model, control).value_or(CommandFrame());
                FrameStreamDecoder decoder(model);
                const auto read =
                    decoder.feed(assembleFrame(model.protocol, 0x80, sent.code, sent.data)) +
                    decoder.flush();
                // "Volume 1" is the amplifier's "Volume".
                const QString label = read.value(0).command ? read[0].command->label : QString();
                QVERIFY2(read.size() == 1 &&
                             label.section(' ', 0, int(named.name.count(' '))) == named.name &&
                             (values.isEmpty() || read[0].numbers == values),
                         qPrintable(where + " read as " + label));
            }
        }
    }
}

// Command lines read as zoxen-send reads them: the frames that it builds, checked by hand, with
// the players they go to, and the usage errors (unknown models and commands, parameters out of
// range, a link that the model does not use), with exit status 2 and a message that names what
// is allowed. "DATA/" in an argument is the folder of the tables, "TMP/" a folder that holds a
// FIFO and a file too large to be a hosts file.
void tst_Frames::senderCommandLines()
{
    const QVector<QStringList> frames = tableRows(QStringLiteral("sender/frames.txt"), 3);
    const QVector<QStringList> refused = tableRows(QStringLiteral("sender/usage.txt"), 3);
    QCOMPARE(frames.size() + refused.size(), 26 + 36);
    QTemporaryDir temporary;
    QVERIFY(mkfifo(qPrintable(temporary.filePath("fifo")), 0600) == 0);
    QVERIFY(writeFile(temporary.filePath("large.txt"), QByteArray(1024 * 1024 + 1, '#')));
    for (const QStringList &row : frames + refused) {
        QStringList arguments = row[1].split(';');
        arguments.replaceInStrings("DATA/", ZOXEN_TEST_DATA "/sender/")
            .replaceInStrings("TMP/", temporary.path() + '/');
        const SenderCommandLine read =
            readSenderCommandLine(QStringList{"zoxen-send"} + arguments, catalogue());
        QString outcome = read.error;
        if (const auto &request = read.request) {
            const PlayerModel &model = catalogue().at(request->modelIndex);
            const auto frame = outgoingFrame(model, request->idByte,
                                             request->controlOf.value(request->modelIndex));
            outcome = (frame ? bytesText(frame->bytes, false) : QStringLiteral("no frame")) +
                      " to " +
                      (request->hosts.hosts.isEmpty()
                           ? QString("%1 at %2").arg(request->device).arg(request->baudRate)
                           : QString("%1 port %2")
                                 .arg(request->hosts.hosts.join(' '))
                                 .arg(request->port));
        }
        const bool ok = frames.contains(row)
                            ? outcome == row[2]
                            : read.exitStatus == SendStatus::usageError && outcome.contains(row[2]);
        QVERIFY2(ok, qPrintable(row[0] + ": " + outcome));
    }
}

// Lines as a recording writes them: received bytes as one field whatever the device sends; a
// frame that was not sent; the time west of UTC, with its minutes.
void tst_Frames::recordingLines()
{
    const QDateTime west(QDate(2027, 1, 15), QTime(4, 30, 0, 5), Qt::OffsetFromUTC, -16200);
    QCOMPARE(SessionLine::escapedAscii(QByteArray("a\\b\r\n\t\0\x7F\xC3~", 10)),
             QByteArray("a\\\\b\\r\\n\\t\\0\\x7F\\xC3~"));
    QCOMPARE(SessionLine::notSent(west, "\x85\x02\x01", "Play"),
             QByteArray("2027-01-15 04:30:00.005-04:30\tnot sent\t85 02 01\tPlay\n"));
}

QTEST_APPLESS_MAIN(tst_Frames)
#include "tst_frames.moc"
