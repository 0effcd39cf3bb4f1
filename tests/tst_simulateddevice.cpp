#include "catalogue/playercatalogue.h"
#include "simulator/framedescription.h"
#include "simulator/framestreamdecoder.h"
#include "simulator/simulateddevice.h"
#include "testtable.h"
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

// "80 01 07", or an on-demand message such as `04 cmd "64" "2" "0"` built by the console's own
// envelope builder.
QByteArray frameBytes(const QString &text)
{
    const QStringList words = text.split(' ');
    if (words.size() < 2 || words.at(1).size() == 2)
        return QByteArray::fromHex(text.toLatin1());
    QList<QByteArray> texts;
    for (const QString &quoted : quotedTexts(text))
        texts << quoted.toUtf8();
    return assembleFrame(1, 0x80, quint8(words.first().toInt(nullptr, 16)),
                         textEnvelope(words.at(1).toLatin1(), texts));
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
    // The frames, each followed by what the device says to it.
    QTest::addColumn<QStringList>("transcript");

    TestTable table(QStringLiteral("simulator/reactions.txt"));
    QVERIFY2(table.holds(93), table.problem());
    int added = 0;
    for (int row = 0; row < table.rows().size(); ++row) {
        const QStringList &heading = table.rows().at(row);
        QVERIFY2(heading.size() == 2, qPrintable(heading.join('|')));
        QStringList transcript;
        while (row + 1 < table.rows().size() && table.rows().at(row + 1).size() == 1)
            transcript << table.rows().at(++row).first();
        QTest::newRow(qPrintable(heading.first())) << heading.last() << transcript;
        ++added;
    }
    QCOMPARE(added, 18);
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
        QVector<DecodedFrame> decoded = decoder.feed(frameBytes(line.mid(3)));
        decoded += decoder.flush();
        for (const DecodedFrame &frame : qAsConst(decoded)) {
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
