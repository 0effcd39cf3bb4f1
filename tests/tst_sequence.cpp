#include "sequence/sequencefile.h"
#include "testtable.h"
#include "transmission/frames.h"

#include <QtTest>

// Sequence files as the window and zoxen-send read them: every step checked before anything is
// sent, every refusal naming its line.
class tst_Sequence : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
};

void tst_Sequence::read_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");
    const QVector<QStringList> rows = tableRows(QStringLiteral("sequences.txt"), 3);
    QVERIFY(rows.size() >= 12);
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row.at(0) + ": " + row.at(1).left(40)))
            << row.at(0) << QString(row.at(1)).replace(u'¶', '\n').toUtf8() << row.at(2);
}

void tst_Sequence::read()
{
    QFETCH(QString, model);
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    const PlayerCatalogueList catalogue = buildCatalogueModels();
    const auto found = std::find_if(catalogue.cbegin(), catalogue.cend(),
                                    [&](const PlayerModel &entry) { return entry.name == model; });
    QVERIFY(found != catalogue.cend());
    const Sequence sequence = readSequence(file, *found);
    QStringList steps;
    for (const SequenceStep &step : sequence.steps) {
        QString text;
        if (step.kind == SequenceStep::Kind::Command) {
            const auto frame = frameFor(*found, step.control);
            QVERIFY(frame);
            text = "frame " +
                   assembleFrame(found->protocol, 0x80, frame->code, frame->data).toHex().toUpper();
        } else if (step.kind == SequenceStep::Kind::Wait) {
            text = "wait " + QString::number(step.waitMs);
        } else {
            text = "expect " + QString::fromUtf8(step.expected);
        }
        steps << text + " @" + QString::number(step.line);
    }
    QVERIFY2(sequence.steps.empty() != sequence.error.isEmpty(), qPrintable(sequence.error));
    const QString read = sequence.error.isEmpty() ? steps.join(", ") : sequence.error;
    QVERIFY2(read.startsWith(expected), qPrintable(read));
}

QTEST_GUILESS_MAIN(tst_Sequence)
#include "tst_sequence.moc"
