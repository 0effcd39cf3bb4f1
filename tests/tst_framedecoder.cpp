#include "examplemodels.h"
#include "simulator/framedescription.h"
#include "simulator/framestreamdecoder.h"
#include "testtable.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// The transcript lines of a stream read in reads of `chunkSize` bytes (0: one read), the line
// going quiet at the end.
QStringList decodedLines(const PlayerModel &model, const QByteArray &bytes, int chunkSize = 0)
{
    FrameStreamDecoder decoder(model);
    QVector<DecodedFrame> frames;
    const int step = chunkSize > 0 ? chunkSize : qMax(1, bytes.size());
    for (int from = 0; from < bytes.size(); from += step)
        frames += decoder.feed(bytes.mid(from, step));
    frames += decoder.flush();
    QStringList lines;
    for (const DecodedFrame &frame : qAsConst(frames))
        lines << describeFrame(frame);
    return lines;
}

QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(spaced);
}

QByteArray randomBytes(int count)
{
    QRandomGenerator random(7);
    QByteArray bytes(count, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

// "Player status?" asked of the on-demand model.
const QByteArray statusRequest =
    hex("02 00 00 00 67 65 74 00 50 6C 61 79 65 72 53 74 61 74 75 73 00");
const QString statusRequestLine = QStringLiteral(
    "02 00 00 00 67 65 74 00 50 6C 61 79 65 72 53 74 61 74 75 73 00  Player status?  get "
    "\"PlayerStatus\"");

} // namespace

class tst_FrameDecoder : public QObject
{
    Q_OBJECT

private slots:
    void examples_data();
    void examples();
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

    const PlayerModel device = modelNamed(model);
    const QByteArray frame = QByteArray::fromHex(bytes.toLatin1());
    QCOMPARE(decodedLines(device, frame), QStringList{line});
    // Read one byte at a time, or three times back to back, the frame is the same.
    QCOMPARE(decodedLines(device, frame, 1), QStringList{line});
    QCOMPARE(decodedLines(device, frame.repeated(3), 5), QStringList({line, line, line}));
}

void tst_FrameDecoder::malformedInput_data()
{
    QTest::addColumn<QString>("model");
    // Parts of the stream with the line going quiet after each.
    QTest::addColumn<QByteArrayList>("parts");
    // The lines that end the transcript.
    QTest::addColumn<QStringList>("lastLines");

    const QString timetune = QStringLiteral("Timetune");
    const QString showcaster = QStringLiteral("Showcaster - SC900 (Serial)");
    const QString tunebox = QStringLiteral("Tunebox (Serial)");
    const QString tuneboxNx = QStringLiteral("Tunebox (NX) (TCP/IP)");
    const QString play = QStringLiteral("80 02 01  id 0  Play");
    QTest::newRow("truncated/Timetune play, then a good frame")
        << timetune << QByteArrayList{hex("80 02 80 02 01")}
        << QStringList{"80 02  undecodable (2 bytes)", play};
    QTest::newRow("truncated/Showcaster set date and time, then a good frame")
        << showcaster << QByteArrayList{hex("80 2C 1A 0C 04 0E 05 80 02 01")}
        << QStringList{"80 2C 1A 0C 04 0E 05  undecodable (7 bytes)", play};
    QTest::newRow("truncated/Tunebox serial play")
        << tunebox << QByteArrayList{hex("20 FF FF"), hex("20 FF FF FF")}
        << QStringList{"20 FF FF  undecodable (3 bytes)", "20 FF FF FF  Play"};
    QTest::newRow("truncated/Tunebox NX request, then a good one")
        << tuneboxNx << QByteArrayList{statusRequest.chopped(1) + statusRequest}
        << QStringList{"02 00 00 00 67 65 74 00 50 6C 61 79 65 72 53 74 61 74 75 73  "
                       "undecodable (20 bytes)",
                       statusRequestLine};
    QTest::newRow("out of range/Showcaster volume 101, then a good frame")
        << showcaster << QByteArrayList{hex("80 03 65 80 02 01")}
        << QStringList{"80 03 65  undecodable (3 bytes)", play};
    QTest::newRow("out of range/Showcaster unused action 0B")
        << showcaster << QByteArrayList{hex("80 02 0B")}
        << QStringList{"80 02 0B  undecodable (3 bytes)"};
    QTest::newRow("out of range/FB4xxQ(n) serial folder bank 2")
        << "FB4xxQ(n) (Serial) (legacy)" << QByteArrayList{hex("80 21 00")}
        << QStringList{"80 21 00  undecodable (3 bytes)"};
    QTest::newRow("out of range/Timetune folder 1000")
        << timetune << QByteArrayList{hex("80 71 68")}
        << QStringList{"80 71 68  undecodable (3 bytes)"};
    QTest::newRow("out of range/Showcaster set time 24:00:00")
        << showcaster << QByteArrayList{hex("80 0C 18 00 00")}
        << QStringList{"80 0C 18 00 00  undecodable (5 bytes)"};
    QTest::newRow("out of range/Showcaster set date, month 13")
        << showcaster << QByteArrayList{hex("80 1C 1A 0D 04")}
        << QStringList{"80 1C 1A 0D 04  undecodable (5 bytes)"};
    QTest::newRow("out of range/Tunebox serial folder reference 0")
        << tunebox << QByteArrayList{hex("00 00 00 FF")}
        << QStringList{"00 00 00 FF  undecodable (4 bytes)"};
    // set "VolumeLocalMusic" "1"
    const char *volumeAboveTop =
        "03 00 00 00 73 65 74 00 56 6F 6C 75 6D 65 4C 6F 63 61 6C 4D 75 73 69 63 00 31 00";
    QTest::newRow("out of range/Tunebox NX volume above the top")
        << tuneboxNx << QByteArrayList{hex(volumeAboveTop)}
        << QStringList{volumeAboveTop + QStringLiteral("  undecodable (27 bytes)")};
    QTest::newRow("out of range/Tunebox NX unknown command")
        << tuneboxNx << QByteArrayList{hex("04 00 00 00 63 6D 64 00 39 39 00")}
        << QStringList{"04 00 00 00 63 6D 64 00 39 39 00  undecodable (11 bytes)"};
    QTest::newRow("random bytes/Showcaster serial, then a good frame")
        << showcaster << QByteArrayList{randomBytes(65536) + hex("80 02 01")} << QStringList{play};
    QTest::newRow("random bytes/Tunebox NX, then a good request")
        << tuneboxNx << QByteArrayList{randomBytes(65536) + statusRequest}
        << QStringList{statusRequestLine};
    // Without framing, the unaddressed family finds its way back only when the line pauses.
    QTest::newRow("random bytes/Tunebox serial, a pause, then a good frame")
        << tunebox << QByteArrayList{randomBytes(65536), hex("30 00 28 00")}
        << QStringList{"30 00 28 00  Volume 40"};
}

void tst_FrameDecoder::malformedInput()
{
    QFETCH(QString, model);
    QFETCH(QByteArrayList, parts);
    QFETCH(QStringList, lastLines);

    const PlayerModel device = modelNamed(model);
    QStringList lines;
    for (const QByteArray &part : qAsConst(parts)) {
        const QStringList whole = decodedLines(device, part);
        // However the part is cut into reads, the same frames come out.
        for (int chunkSize : {1, 7, 4096})
            QCOMPARE(decodedLines(device, part, chunkSize), whole);
        lines += whole;
    }
    // Every byte is in the transcript, in order, in runs of undecodable bytes no longer than
    // the longest: nothing is dropped.
    QByteArray shown;
    for (const QString &line : qAsConst(lines)) {
        shown += QByteArray::fromHex(line.section("  ", 0, 0).toLatin1());
        if (line.contains("undecodable"))
            QVERIFY(line.section("  ", 0, 0).size() <=
                    3 * FrameStreamDecoder::longestUndecodableRun);
    }
    QCOMPARE(shown, parts.join());
    QCOMPARE(lines.mid(lines.size() - lastLines.size()), lastLines);
}

QTEST_APPLESS_MAIN(tst_FrameDecoder)
#include "tst_framedecoder.moc"
