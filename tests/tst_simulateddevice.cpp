#include "catalogue/playercatalogue.h"
#include "simulator/framedescription.h"
#include "simulator/framestreamdecoder.h"
#include "simulator/simulateddevice.h"
#include "transmission/frames.h"

#include <QtTest>

namespace {

PlayerModel modelNamed(const QString &name)
{
    for (const PlayerModel &model : buildCatalogueModels()) {
        if (model.name == name)
            return model;
    }
    qFatal("no model named %s", qPrintable(name));
}

QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(spaced);
}

// An on-demand message, built by the console's own envelope builder.
QByteArray message(quint8 code, const QByteArray &verb, const QList<QByteArray> &texts)
{
    return assembleFrame(1, 0x80, code, textEnvelope(verb, texts));
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
    // Frames, each followed by a pause on the line.
    QTest::addColumn<QByteArrayList>("frames");
    // What the device says: "<- " and the reply, or "-- " and why it ignored a frame.
    QTest::addColumn<QStringList>("reactions");

    const QString showcaster = "Showcaster - SC900 (Serial)";
    const QString nx = "Tunebox (NX) (TCP/IP)";

    QTest::newRow("Showcaster serial/folder 7 plays it")
        << showcaster << QByteArrayList{hex("80 01 07"), hex("80 04 01")}
        << QStringList{"<- PLAYER STATUS: PLAYING FOLDER 007\\r\\n"};
    QTest::newRow("Showcaster serial/pause and resume")
        << showcaster
        << QByteArrayList{hex("80 01 07"), hex("80 02 0E"), hex("80 04 01"), hex("80 02 0F"),
                          hex("80 04 01")}
        << QStringList{"<- PLAYER STATUS: PAUSED FOLDER 007\\r\\n",
                       "<- PLAYER STATUS: PLAYING FOLDER 007\\r\\n"};
    QTest::newRow("Showcaster serial/standby and wakeup")
        << showcaster
        << QByteArrayList{hex("80 02 0C"), hex("80 04 01"), hex("80 02 0D"), hex("80 04 01")}
        << QStringList{"<- PLAYER STATUS: STANDBY\\r\\n",
                       "<- PLAYER STATUS: STOPPED FOLDER 000\\r\\n"};
    QTest::newRow("Showcaster serial/volume up stops at the top")
        << showcaster << QByteArrayList{hex("80 02 09"), hex("80 04 0B")}
        << QStringList{"<- VOLUME: 100\\r\\n"};
    QTest::newRow("Showcaster serial/volume down and mute")
        << showcaster << QByteArrayList{hex("80 02 0A"), hex("80 02 11"), hex("80 04 0B")}
        << QStringList{"<- VOLUME: 99 MUTED\\r\\n"};
    QTest::newRow("Showcaster serial/previous folder stops at 000")
        << showcaster << QByteArrayList{hex("80 02 07"), hex("80 04 06")}
        << QStringList{"<- CURRENT FOLDER NUMBER: 000\\r\\n"};
    QTest::newRow("Showcaster serial/files step from 1")
        << showcaster
        << QByteArrayList{hex("80 02 04"), hex("80 02 03"), hex("80 02 03"), hex("80 04 03")}
        << QStringList{"<- FULL PATH NAME: /FOLDER000/FILE003\\r\\n"};
    QTest::newRow("Showcaster serial/another player's frame changes nothing")
        << showcaster << QByteArrayList{hex("81 02 0C"), hex("81 04 01"), hex("80 04 01")}
        << QStringList{"-- not for this device, whose id is 0",
                       "-- not for this device, whose id is 0",
                       "<- PLAYER STATUS: STOPPED FOLDER 000\\r\\n"};
    QTest::newRow("Showcaster serial/undecodable bytes change nothing")
        << showcaster << QByteArrayList{hex("80 02"), hex("80 02 0B"), hex("80 04 01")}
        << QStringList{"<- PLAYER STATUS: STOPPED FOLDER 000\\r\\n"};
    QTest::newRow("FB4xxQ(n) serial/next folder stops at 255")
        << "FB4xxQ(n) (Serial) (legacy)"
        << QByteArrayList{hex("80 11 7F"), hex("80 02 06"), hex("80 04 06")}
        << QStringList{"<- CURRENT FOLDER NUMBER: 255\\r\\n"};
    QTest::newRow("Boostbox/answers to its new id only")
        << "Boostbox 1" << QByteArrayList{hex("80 7F 05"), hex("80 04 40"), hex("85 04 40")}
        << QStringList{"-- not for this device, whose id is 5",
                       "<- INFORMATION: ID 5 VOLUME 56\\r\\n"};
    QTest::newRow("FB4xxQ(n) network/no id but 0")
        << "FB4xxQ(n) (TCP/IP) (legacy)" << QByteArrayList{hex("80 7F 05"), hex("80 04 01")}
        << QStringList{"-- id 5 refused: this model's ids run from 0 to 0",
                       "<- PLAYER STATUS: STOPPED FOLDER 000\\r\\n"};
    QTest::newRow("Tunebox serial/commands are not answered")
        << "Tunebox (Serial)"
        << QByteArrayList{hex("20 FF FF FF"), hex("33 00 01 00"), hex("12 00 0A 03"),
                          hex("30 00 28 00")}
        << QStringList();
    QTest::newRow("Tunebox NX/webradio")
        << nx
        << QByteArrayList{message(4, "cmd", {"64", "2", "0"}), message(2, "get", {"PlayerStatus"})}
        << QStringList{"<- PLAYER STATUS: PLAYING WEBRADIO 2\\0"};
    QTest::newRow("Tunebox NX/another source")
        << nx << QByteArrayList{message(4, "cmd", {"81", "0", "0"}), message(2, "get", {"Source"})}
        << QStringList{"<- SOURCE: ALTERNATE: SD CARD\\0"};
    QTest::newRow("Tunebox NX/folder then stop")
        << nx
        << QByteArrayList{message(4, "cmd", {"0", "5", "0"}),
                          message(4, "cmd", {"34", "255", "255"}), message(2, "get", {"FolderID"}),
                          message(2, "get", {"PlayerStatus"})}
        << QStringList{"<- FOLDER ID: 005\\0", "<- PLAYER STATUS: STOPPED FOLDER 005\\0"};
    QTest::newRow("Tunebox NX/volume in the console's scale")
        << nx
        << QByteArrayList{message(3, "set", {"VolumeLocalMusic", "-24"}),
                          message(2, "get", {"VolumeLocalMusic"})}
        << QStringList{"<- VOLUME: 40\\0"};
    QTest::newRow("Tunebox NX/a value it does not keep")
        << nx << QByteArrayList{message(2, "get", {"WRadio1Name"})}
        << QStringList{"<- WEBRADIO 1 NAME: NONE\\0"};
}

void tst_SimulatedDevice::reactions()
{
    QFETCH(QString, model);
    QFETCH(QByteArrayList, frames);
    QFETCH(QStringList, reactions);

    SimulatedDevice device(modelNamed(model));
    FrameStreamDecoder decoder(device.model());
    QStringList said;
    for (const QByteArray &bytes : qAsConst(frames)) {
        QVector<DecodedFrame> decoded = decoder.feed(bytes);
        decoded += decoder.flush();
        for (const DecodedFrame &frame : qAsConst(decoded)) {
            const DeviceReaction reaction = device.react(frame);
            if (!reaction.note.isEmpty())
                said << "-- " + reaction.note;
            if (!reaction.reply.isEmpty())
                said << "<- " + escapedText(reaction.reply);
        }
    }
    QCOMPARE(said, reactions);
}

QTEST_APPLESS_MAIN(tst_SimulatedDevice)
#include "tst_simulateddevice.moc"
