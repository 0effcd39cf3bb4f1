#include "catalogue/folders.h"
#include "catalogue/playercatalogue.h"
#include "examplemodels.h"
#include "testtable.h"
#include "transmission/controlframe.h"

#include <QtTest>

// Every frame example (the table that the simulator's decoder reads too), the edges of the ID
// byte, the clock and the relays, the base conversion, and the volume and folder rules on
// ranges that do not start at 0.
Q_DECLARE_METATYPE(Control)
Q_DECLARE_METATYPE(PlayerCommand)

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
    void everyCommandFitsItsLayout();
    void rangesNotFromZero_data();
    void rangesNotFromZero();
    void folderNumberingRoundTrip();
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

// The control that a "built by" cell of the example table names.
Control controlOf(const QStringList &parts, const ClockReading &clock)
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
    const QString word = action.section(QLatin1Char(' '), 0, 0);
    const QString argument = action.section(QLatin1Char(' '), 1);
    static const QHash<QString, ControlKind> numbered = {{"folder", ControlKind::Folder},
                                                         {"volume", ControlKind::Volume}};
    static const QHash<QString, ControlKind> listed = {{"request", ControlKind::Request},
                                                       {"other", ControlKind::OtherCommand},
                                                       {"launch", ControlKind::Launch}};
    Control control = buttonControl(buttons.value(action));
    if (numbered.contains(word))
        control = numberControl(numbered.value(word), argument.toInt());
    else if (action.startsWith("change id "))
        control = numberControl(ControlKind::ChangeId, action.section(QLatin1Char(' '), 2).toInt());
    else if (listed.contains(word))
        control = entryControl(listed.value(word), argument);
    control.clock = clock;
    control.launch = {numberAfter(parts, "reference"), numberAfter(parts, "option"),
                      numberAfter(parts, "preset")};
    if (word == "relays") {
        control.kind = ControlKind::Relay;
        control.relays = QVector<bool>(8, false);
        for (const QString &relay : argument.split(QLatin1Char(' ')))
            control.relays[relay.toInt() - 1] = true;
    }
    return control;
}

QString hexFrame(const PlayerModel &model, int id, const CommandFrame &frame)
{
    return frameText(model.protocol, idByteFor(QString::number(id), true), frame.code, frame.data,
                     false);
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
    const QDateTime instant = QDateTime::fromString(parts.last().mid(3), Qt::ISODate);
    const auto frame =
        frameFor(device, controlOf(parts, {instant, instant.toUTC(), instant.toMSecsSinceEpoch()}));
    QVERIFY(frame);
    const QString shown = hexFrame(device, numberAfter(parts, "id"), *frame);
    QCOMPARE(shown, bytes);
    // What the label shows is what goes on the wire.
    const quint8 idByte = idByteFor(QString::number(numberAfter(parts, "id")), true);
    QCOMPARE(assembleFrame(device.protocol, idByte, frame->code, frame->data).toHex(' ').toUpper(),
             bytes.toLatin1());
}

void tst_Frames::idByte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("idByte");

    QTest::newRow("id 0") << "0" << true << 0x80;
    QTest::newRow("id 127") << "127" << true << 0xFF;
    QTest::newRow("id 255 wraps") << "255" << true << 0x7F;
    QTest::newRow("unreadable text") << "abc" << true << 0x80;
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

    const PlayerModel showcaster = modelNamed("Showcaster - SC900 (Serial)");
    Control control = entryControl(ControlKind::OtherCommand, label);
    control.clock = {instant, instant.toUTC(), instant.toMSecsSinceEpoch()};
    const auto frame = frameFor(showcaster, control);
    QVERIFY(frame);
    QCOMPARE(hexFrame(showcaster, 0, *frame), hex);
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

// Every button command of every model: its frame has the family's layout, and its text
// converts to decimal and back unchanged.
void tst_Frames::everyCommandFitsItsLayout()
{
    for (const PlayerModel &model : buildCatalogueModels()) {
        for (const PlayerCommand &command : model.commands) {
            const auto frame = frameFor(model, buttonControl(command.category));
            if (!frame)
                continue;
            const QByteArray where = (model.name + '/' + command.label).toUtf8();
            const quint8 idByte = idByteFor(QStringLiteral("5"), true);
            const QByteArray wire = assembleFrame(model.protocol, idByte, frame->code, frame->data);
            QVERIFY2(wire.size() == frame->data.size() + (model.protocol == 0 ? 2 : 1), where);
            QVERIFY2(model.protocol != 0 || quint8(wire.at(0)) == 0x85, where);
            const QString hex = frameText(model.protocol, idByte, frame->code, frame->data, false);
            const QString decimal =
                frameText(model.protocol, idByte, frame->code, frame->data, true);
            QVERIFY2(convertFrameText(decimal, false) == hex, where);
            QVERIFY2(convertFrameText(hex, true) == decimal, where);
        }
    }
}

void tst_Frames::rangesNotFromZero_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<PlayerCommand>("command");
    QTest::addColumn<Control>("control");
    QTest::addColumn<QString>("hex");

    const PlayerCommand volume5to40("Volume", CommandCategory::Volume, 0x03, {5}, {40});
    const PlayerCommand volume0to300("Volume", CommandCategory::Volume, 0x30, {0, 0, 0},
                                     {0x01, 0x2C, 0});
    const PlayerCommand folders1to99("Folder", CommandCategory::Folder, 0x01, {1}, {99});
    QTest::newRow("volume 5..40/lowest is 5")
        << 0 << volume5to40 << numberControl(ControlKind::Volume, 5) << "80 03 05";
    QTest::newRow("volume 5..40/highest is 40")
        << 0 << volume5to40 << numberControl(ControlKind::Volume, 40) << "80 03 28";
    QTest::newRow("16-bit volume/256")
        << 1 << volume0to300 << numberControl(ControlKind::Volume, 256) << "30 01 00 00";
    QTest::newRow("16-bit volume/300")
        << 1 << volume0to300 << numberControl(ControlKind::Volume, 300) << "30 01 2C 00";
    QTest::newRow("folders 1..99/99 ends bank 0")
        << 0 << folders1to99 << numberControl(ControlKind::Folder, 99) << "80 01 63";
    QTest::newRow("folders 1..99/100 starts bank 1")
        << 0 << folders1to99 << numberControl(ControlKind::Folder, 100) << "80 11 01";
}

void tst_Frames::rangesNotFromZero()
{
    QFETCH(int, protocol);
    QFETCH(PlayerCommand, command);
    QFETCH(Control, control);
    QFETCH(QString, hex);

    PlayerModel model(QStringLiteral("Test model"), protocol, 0, 0, 1, 2, 9600, 0);
    model.commands = {command};
    const auto frame = frameFor(model, control);
    QVERIFY(frame);
    QCOMPARE(hexFrame(model, 0, *frame), hex);
}

// The list that the window offers and the bank split that sends it are one mapping.
void tst_Frames::folderNumberingRoundTrip()
{
    const PlayerCommand ranges[] = {
        {"Folder", CommandCategory::Folder, 0x01, {0}, {127}},
        {"Folder", CommandCategory::Folder, 0x01, {1}, {99}},
        {"Folder", CommandCategory::Folder, 0x01, {10}, {19}},
    };
    for (const PlayerCommand &folder : ranges) {
        const QVector<int> numbers = folderNumbers(folder, 8);
        QVERIFY(!numbers.isEmpty() && numbers.last() <= 999);
        QVERIFY(std::is_sorted(numbers.begin(), numbers.end()));
        QVERIFY(std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end());
        for (int number : numbers) {
            const auto position = folderPosition(folder, 8, number);
            QVERIFY(position);
            QVERIFY(position->value >= folder.dataMin.at(0) &&
                    position->value <= folder.dataMax.at(0));
            const int perBank = folder.dataMax.at(0) - folder.dataMin.at(0) + 1;
            QCOMPARE(perBank * position->bank + position->value, number);
        }
        QVERIFY(!folderPosition(folder, 8, folder.dataMin.at(0) - 1));
    }
}

QTEST_APPLESS_MAIN(tst_Frames)
#include "tst_frames.moc"
