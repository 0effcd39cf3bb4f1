#include "examplemodels.h"
#include "simulator/framedescription.h"
#include "simulator/framestreamdecoder.h"
#include "simulator/simulateddevice.h"
#include "testtable.h"
#include "transmission/frames.h"

#include <QtTest>

namespace {

// "80 01 07", or an on-demand message such as `04 cmd "64" "2" "0"` built by the console's own
// envelope builder.
QByteArray frameBytes(const QString &text)
{
    const QString verb = text.section(' ', 1, 1);
    if (verb.size() != 3)
        return QByteArray::fromHex(text.toLatin1());
    QList<QByteArray> texts;
    for (const QString &quoted : quotedTexts(text))
        texts << quoted.toUtf8();
    return assembleFrame(1, 0x80, quint8(text.left(2).toInt(nullptr, 16)),
                         textEnvelope(verb.toLatin1(), texts));
}

} // namespace

class tst_SimulatedDevice : public QObject
{
    Q_OBJECT

private slots:
    void reactions_data();
    void reactions();
};

void tst_SimulatedDevice::reactions_data()
{
    QTest::addColumn<QString>("model");
    // Frames ("-> "), each followed by what the device says to it: a reply ("<- ", as the
    // simulator prints it) or why it ignored the frame ("-- ").
    QTest::addColumn<QStringList>("transcript");

    const QString showcaster = QStringLiteral("Showcaster - SC900 (Serial)");
    const QString nx = QStringLiteral("Tunebox (NX) (TCP/IP)");
    QTest::newRow("Showcaster/pause and resume")
        << showcaster
        << QStringList{"-> 80 01 07",
                       "-> 80 02 0E",
                       "-> 80 04 01",
                       "<- PLAYER STATUS: PAUSED FOLDER 007\\r\\n",
                       "-> 80 02 0F",
                       "-> 80 04 01",
                       "<- PLAYER STATUS: PLAYING FOLDER 007\\r\\n"};
    QTest::newRow("Showcaster/standby and wakeup")
        << showcaster
        << QStringList{"-> 80 02 0C", "-> 80 04 01", "<- PLAYER STATUS: STANDBY\\r\\n",
                       "-> 80 02 0D", "-> 80 04 01", "<- PLAYER STATUS: STOPPED FOLDER 000\\r\\n"};
    QTest::newRow("Showcaster/volume up stops at the top")
        << showcaster << QStringList{"-> 80 02 09", "-> 80 04 0B", "<- VOLUME: 100\\r\\n"};
    QTest::newRow("Showcaster/volume down and mute")
        << showcaster
        << QStringList{"-> 80 02 0A", "-> 80 02 11", "-> 80 04 0B", "<- VOLUME: 99 MUTED\\r\\n"};
    QTest::newRow("Showcaster/previous folder stops at 000")
        << showcaster
        << QStringList{"-> 80 02 07", "-> 80 04 06", "<- CURRENT FOLDER NUMBER: 000\\r\\n"};
    QTest::newRow("Showcaster/files step from 1")
        << showcaster
        << QStringList{"-> 80 02 04", "-> 80 02 03", "-> 80 02 03", "-> 80 04 03",
                       "<- FULL PATH NAME: /FOLDER000/FILE003\\r\\n"};
    QTest::newRow("Showcaster/another player's frame changes nothing")
        << showcaster
        << QStringList{"-> 81 02 0C", "-- not for this device, whose id is 0", "-> 80 04 01",
                       "<- PLAYER STATUS: STOPPED FOLDER 000\\r\\n"};
    QTest::newRow("Showcaster/undecodable bytes change nothing")
        << showcaster
        << QStringList{"-> 80 02", "-> 80 02 0B", "-> 80 04 01",
                       "<- PLAYER STATUS: STOPPED FOLDER 000\\r\\n"};
    QTest::newRow("FB4xxQ(n) serial/next folder stops at 255")
        << "FB4xxQ(n) (Serial) (legacy)"
        << QStringList{"-> 80 11 7F", "-> 80 02 06", "-> 80 04 06",
                       "<- CURRENT FOLDER NUMBER: 255\\r\\n"};
    QTest::newRow("Boostbox/answers to its new id only")
        << "Boostbox 1"
        << QStringList{"-> 80 7F 05", "-> 80 04 40", "-- not for this device, whose id is 5",
                       "-> 85 04 40", "<- INFORMATION: ID 5 VOLUME 56\\r\\n"};
    QTest::newRow("FB4xxQ(n) network/no id but 0")
        << "FB4xxQ(n) (TCP/IP) (legacy)"
        << QStringList{"-> 80 7F 05", "-- id 5 refused: this model's ids run from 0 to 0",
                       "-> 80 04 01", "<- PLAYER STATUS: STOPPED FOLDER 000\\r\\n"};
    QTest::newRow("Tunebox serial/commands are not answered")
        << "Tunebox (Serial)"
        << QStringList{"-> 20 FF FF FF", "-> 33 00 01 00", "-> 12 00 0A 03", "-> 30 00 28 00"};
    QTest::newRow("Tunebox NX/webradio")
        << nx
        << QStringList{"-> 04 cmd \"64\" \"2\" \"0\"", "-> 02 get \"PlayerStatus\"",
                       "<- PLAYER STATUS: PLAYING WEBRADIO 2\\0"};
    QTest::newRow("Tunebox NX/another source")
        << nx
        << QStringList{"-> 04 cmd \"81\" \"0\" \"0\"", "-> 02 get \"Source\"",
                       "<- SOURCE: ALTERNATE: SD CARD\\0"};
    QTest::newRow("Tunebox NX/folder then stop")
        << nx
        << QStringList{"-> 04 cmd \"0\" \"5\" \"0\"", "-> 04 cmd \"34\" \"255\" \"255\"",
                       "-> 02 get \"FolderID\"",      "<- FOLDER ID: 005\\0",
                       "-> 02 get \"PlayerStatus\"",  "<- PLAYER STATUS: STOPPED FOLDER 005\\0"};
    QTest::newRow("Tunebox NX/volume in the console's scale")
        << nx
        << QStringList{"-> 03 set \"VolumeLocalMusic\" \"-24\"", "-> 02 get \"VolumeLocalMusic\"",
                       "<- VOLUME: 40\\0"};
    QTest::newRow("Tunebox NX/a value it does not keep")
        << nx << QStringList{"-> 02 get \"WRadio1Name\"", "<- WEBRADIO 1 NAME: NONE\\0"};
}

void tst_SimulatedDevice::reactions()
{
    QFETCH(QString, model);
    QFETCH(QStringList, transcript);

    SimulatedDevice device(modelNamed(model));
    FrameStreamDecoder decoder(device.model());
    QStringList said;
    for (const QString &line : qAsConst(transcript)) {
        if (!line.startsWith("-> "))
            continue;
        said << line;
        const QVector<DecodedFrame> frames =
            decoder.feed(frameBytes(line.mid(3))) + decoder.flush();
        for (const DecodedFrame &frame : frames) {
            const DeviceReaction reaction = device.react(frame);
            if (!reaction.note.isEmpty())
                said << "-- " + reaction.note;
            if (!reaction.reply.isEmpty())
                said << "<- " + escapedText(reaction.reply);
        }
    }
    QCOMPARE(said, transcript);
}

QTEST_APPLESS_MAIN(tst_SimulatedDevice)
#include "tst_simulateddevice.moc"
