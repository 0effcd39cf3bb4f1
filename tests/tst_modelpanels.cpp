#include "connection/modelpanels.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::optional<VolumeRange>)

class tst_ModelPanels : public QObject
{
    Q_OBJECT

private slots:
    void folderNumbers_data();
    void folderNumbers();
    void defaultBaudRate_data();
    void defaultBaudRate();
    void volumeSliderRange_data();
    void volumeSliderRange();
};

void tst_ModelPanels::folderNumbers_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("banks");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("firstEntry");
    QTest::addColumn<QString>("lastEntry");
    QTest::addColumn<QString>("entry130");

    const auto row = [](const char *name, int first, int last, int banks, int count,
                        const char *firstEntry, const char *lastEntry, const char *entry130) {
        QTest::newRow(name) << first << last << banks << count << QString(firstEntry)
                            << QString(lastEntry) << QString(entry130);
    };
    row("8 banks of 128 stop at 999", 0, 127, 8, 1000, "000", "999", "130");
    row("2 banks of 128", 0, 127, 2, 256, "000", "255", "130");
    row("1 bank of 128", 0, 127, 1, 128, "000", "127", "");
    row("1 to 99, one bank", 1, 99, 1, 99, "001", "099", "");
    row("1 to 99, two banks continue at 100", 1, 99, 2, 198, "001", "198", "131");
    row("no banks", 0, 127, 0, 0, "", "", "");
}

void tst_ModelPanels::folderNumbers()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, banks);
    QFETCH(int, count);
    QFETCH(QString, firstEntry);
    QFETCH(QString, lastEntry);
    QFETCH(QString, entry130);

    const PlayerCommand folder("Folder", CommandCategory::Folder, 0x01, {quint8(first)},
                               {quint8(last)});
    const QStringList entries = folderEntries(folder, banks);
    QCOMPARE(entries.size(), count);
    QCOMPARE(entries.value(0), firstEntry);
    QCOMPARE(entries.isEmpty() ? QString() : entries.last(), lastEntry);
    QCOMPARE(entries.value(130), entry130);
    for (const QString &entry : entries) {
        QCOMPARE(entry.size(), 3);
        QVERIFY(entry.toInt() <= 999);
    }
}

void tst_ModelPanels::defaultBaudRate_data()
{
    QTest::addColumn<QVector<qint32>>("rates");
    QTest::addColumn<qint32>("preferred");
    QTest::addColumn<int>("entry");

    QTest::newRow("default listed") << QVector<qint32>{9600, 19200, 38400} << 19200 << 1;
    QTest::newRow("default missing keeps the first") << QVector<qint32>{9600, 38400} << 19200 << 0;
    QTest::newRow("last equal entry wins") << QVector<qint32>{19200, 9600, 19200} << 19200 << 2;
    QTest::newRow("no rates") << QVector<qint32>{} << -1 << -1;
}

void tst_ModelPanels::defaultBaudRate()
{
    QFETCH(QVector<qint32>, rates);
    QFETCH(qint32, preferred);
    QFETCH(int, entry);

    PlayerModel model("m", 0, 0, 0, 127, 1, preferred, 0);
    model.baudRates = rates;
    QCOMPARE(defaultBaudRateEntry(model), entry);
    QCOMPARE(baudRateEntries(model).size(), rates.size());
}

void tst_ModelPanels::volumeSliderRange_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<ByteList>("low");
    QTest::addColumn<ByteList>("high");
    QTest::addColumn<std::optional<VolumeRange>>("range");

    using Range = std::optional<VolumeRange>;
    QTest::newRow("addressed, one byte")
        << 0 << ByteList{0x00} << ByteList{0x64} << Range(VolumeRange{0, 100});
    QTest::newRow("addressed, first byte only")
        << 0 << ByteList{0x02, 0x10} << ByteList{0x38, 0x20} << Range(VolumeRange{2, 56});
    QTest::newRow("unaddressed, 16-bit big-endian")
        << 1 << ByteList{0x00, 0x00, 0x00} << ByteList{0x00, 0x40, 0x00}
        << Range(VolumeRange{0, 64});
    QTest::newRow("unaddressed, high byte counts")
        << 1 << ByteList{0x01, 0x00} << ByteList{0x03, 0xE7} << Range(VolumeRange{256, 999});
    QTest::newRow("unaddressed, too short") << 1 << ByteList{0x00} << ByteList{0x40} << Range();
    QTest::newRow("addressed, empty") << 0 << ByteList{} << ByteList{} << Range();
    QTest::newRow("unknown family") << 2 << ByteList{0x00} << ByteList{0x40} << Range();
}

void tst_ModelPanels::volumeSliderRange()
{
    QFETCH(int, protocol);
    QFETCH(ByteList, low);
    QFETCH(ByteList, high);
    QFETCH(std::optional<VolumeRange>, range);

    const PlayerCommand volume("Volume", CommandCategory::Volume, 0x03, low, high);
    QCOMPARE(volumeRange(volume, protocol), range);
}

QTEST_APPLESS_MAIN(tst_ModelPanels)
#include "tst_modelpanels.moc"
