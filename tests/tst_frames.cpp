#include "catalogue/playercatalogue.h"
#include "examplemodels.h"
#include "testtable.h"
#include "transmission/frames.h"

#include <QtTest>

// The builders byte for byte: every frame example (the same table that the simulator's decoder
// reads), the edges of the ID byte and the clock, relay sums, odd texts for the base conversion,
// and the conversion of every model's frames both ways. tst_transmission sends the examples
// through the real slots and a real link.
class tst_Frames : public QObject
{
    Q_OBJECT

private slots:
    void examples_data();
    void examples();
    void idByte_data();
    void idByte();
    void clockCommands_data();
    void clockCommands();
    void relayBits_data();
    void relayBits();
    void baseConversion_data();
    void baseConversion();
    void baseConversionRoundTrip();
};

namespace {

// The number after `key` in "key N" among the parts of a "built by" cell, or 0.
int numberAfter(const QStringList &parts, const QString &key)
{
    for (const QString &part : parts) {
        if (part.startsWith(key + QLatin1Char(' ')))
            return part.mid(key.size() + 1).toInt();
    }
    return 0;
}

// Builds code and data as the window's control named by `action` does.
bool build(const PlayerModel &model, const QStringList &parts, const ClockReading &clock,
           quint8 &code, ByteList &data)
{
    static const QHash<QString, int> buttons = {
        {"Play", CommandCategory::Play},
        {"Stop", CommandCategory::Stop},
        {"Pause", CommandCategory::Pause},
        {"NextFile", CommandCategory::NextFile},
        {"PreviousFile", CommandCategory::PreviousFile},
        {"NextFolder", CommandCategory::NextFolder},
        {"PreviousFolder", CommandCategory::PreviousFolder},
        {"StandbyWakeup", CommandCategory::StandbyWakeup},
        {"MuteToggle", CommandCategory::MuteToggle},
    };
    const QString action = parts.first();
    const QString argument = action.section(QLatin1Char(' '), 1);
    const PlayerCommand *command = nullptr;
    if (buttons.contains(action)) {
        command = model.commandOfCategory(buttons.value(action));
        data = command ? commandData(model, *command) : ByteList();
        appendPlaybackTrailer(model, buttons.value(action), data);
    } else if (action.startsWith("folder ")) {
        command = model.commandOfCategory(CommandCategory::Folder);
        data = command ? command->dataMin : ByteList();
        code = command ? command->code : 0;
        placeFolder(argument.toInt(), code, data);
        return command;
    } else if (action.startsWith("volume ")) {
        return buildVolume(model, quint8(argument.toInt()), code, data);
    } else if (action.startsWith("change id ")) {
        command = model.commandOfCategory(CommandCategory::ChangeId);
        data = command ? command->dataMin : ByteList();
        if (command)
            data[0] = quint8(action.section(QLatin1Char(' '), 2).toInt());
    } else if (action.startsWith("request ")) {
        command = model.commandByLabel(argument, CommandCategory::Request);
        data = command ? requestData(model, *command) : ByteList();
    } else if (action.startsWith("other ")) {
        command = model.commandByLabel(argument);
        data = command ? otherCommandData(*command, clock) : ByteList();
    } else if (action.startsWith("launch ")) {
        command = model.commandByLabel(argument);
        const LaunchChoice choice{numberAfter(parts, "reference"), numberAfter(parts, "option"),
                                  numberAfter(parts, "preset")};
        data = command ? launchData(model, *command, choice) : ByteList();
    } else if (action.startsWith("relays ")) {
        command = model.commandOfCategory(CommandCategory::Relay);
        QVector<bool> checked(8, false);
        for (const QString &relay : argument.split(QLatin1Char(' ')))
            checked[relay.toInt() - 1] = true;
        data = command ? relayData(*command, checked) : ByteList();
    }
    code = command ? command->code : 0;
    return command && !data.isEmpty();
}

} // namespace

void tst_Frames::examples_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("builtBy");
    QTest::addColumn<QString>("bytes");

    TestTable table(QStringLiteral("frames/examples.txt"), 5);
    QVERIFY2(table.holds(43), table.problem());
    for (const QStringList &row : table.rows())
        QTest::newRow(qPrintable(row.at(0))) << row.at(1) << row.at(2) << row.at(3);
}

void tst_Frames::examples()
{
    QFETCH(QString, model);
    QFETCH(QString, builtBy);
    QFETCH(QString, bytes);

    const PlayerModel device = modelNamed(model);
    const QStringList parts = builtBy.split(QStringLiteral(", "));
    QDateTime instant = QDateTime::fromString(parts.last().mid(3), Qt::ISODate);
    const ClockReading clock{instant, instant.toUTC(), instant.toMSecsSinceEpoch()};
    quint8 code = 0;
    ByteList data;
    QVERIFY(build(device, parts, clock, code, data));

    const quint8 idByte = idByteFor(QString::number(numberAfter(parts, "id")), true);
    const QByteArray frame = assembleFrame(device.protocol, idByte, code, data);
    QCOMPARE(QString::fromLatin1(frame.toHex(' ').toUpper()), bytes);
    // What the label shows is what went on the wire.
    QCOMPARE(frameText(device.protocol, idByte, code, data, false), bytes);
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

void tst_Frames::clockCommands_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<QString>("hex");

    TestTable table(QStringLiteral("frames/clock.txt"), 4);
    QVERIFY2(table.holds(12), table.problem());
    for (const QStringList &row : table.rows()) {
        const QDateTime instant = QDateTime::fromString(row.at(2), Qt::ISODateWithMs);
        QVERIFY2(instant.isValid(), qPrintable(row.at(2)));
        QTest::newRow(qPrintable(row.at(0))) << row.at(1) << instant << row.at(3);
    }
}

void tst_Frames::clockCommands()
{
    QFETCH(QString, label);
    QFETCH(QDateTime, instant);
    QFETCH(QString, hex);

    const PlayerModel showcaster = buildCatalogueModels().at(2);
    const PlayerCommand *command = showcaster.commandByLabel(label);
    QVERIFY(command);
    const ClockReading clock{instant, instant.toUTC(), instant.toMSecsSinceEpoch()};
    QCOMPARE(frameText(0, 0x80, command->code, otherCommandData(*command, clock), false), hex);
}

void tst_Frames::relayBits_data()
{
    QTest::addColumn<ByteList>("stored");
    QTest::addColumn<QVector<bool>>("checked");
    QTest::addColumn<QString>("hex");

    const ByteList zero{0x00, 0x00};
    QTest::newRow("none checked") << zero << QVector<bool>(8, false) << "80 16 00 00";
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
    int checkedFrames = 0;
    for (const PlayerModel &model : buildCatalogueModels()) {
        for (const PlayerCommand &command : model.commands) {
            ByteList data = commandData(model, command);
            appendPlaybackTrailer(model, command.category, data);
            const quint8 idByte = idByteFor(QStringLiteral("5"), true);
            const QString hex = frameText(model.protocol, idByte, command.code, data, false);
            const QString decimal = frameText(model.protocol, idByte, command.code, data, true);
            const QByteArray where = (model.name + '/' + command.label).toUtf8();
            QVERIFY2(convertFrameText(decimal, false) == hex, where.constData());
            QVERIFY2(convertFrameText(hex, true) == decimal, where.constData());
            ++checkedFrames;
        }
    }
    QCOMPARE(checkedFrames, 309);
}

QTEST_APPLESS_MAIN(tst_Frames)
#include "tst_frames.moc"
