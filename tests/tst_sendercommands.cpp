#include "catalogue/playercatalogue.h"
#include "sender/commandnames.h"
#include "sender/sendercommandline.h"
#include "testtable.h"

#include <QtTest>

// zoxen-send's command lines: the frames they give, every control of every model reachable by
// its name at both ends of its ranges and refused beyond them, and the usage errors.
class tst_SenderCommands : public QObject
{
    Q_OBJECT

private slots:
    void frames_data();
    void frames();
    void everyControlAtBothEnds_data();
    void everyControlAtBothEnds();
    void usageErrors_data();
    void usageErrors();
};

namespace {

const PlayerCatalogueList &catalogue()
{
    static const PlayerCatalogueList models = buildCatalogueModels();
    return models;
}

SenderCommandLine read(const QString &arguments)
{
    return readSenderCommandLine(
        QStringList{QStringLiteral("zoxen-send")} + arguments.split(QLatin1Char(';')), catalogue());
}

void addArgumentRows(const QString &file, int count)
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("expected");
    TestTable table(QStringLiteral("sender/") + file, 3);
    if (!table.holds(count))
        QFAIL(table.problem());
    for (const QStringList &row : table.rows())
        QTest::newRow(qPrintable(row.at(0))) << row.at(1) << row.at(2);
}

// The ends of each range: all lowest, all highest.
QVector<QVector<int>> rangeEnds(const QVector<ParameterRange> &ranges)
{
    QVector<int> lowest;
    QVector<int> highest;
    for (const ParameterRange &range : ranges) {
        lowest.append(range.minimum);
        highest.append(range.maximum);
    }
    return ranges.isEmpty() ? QVector<QVector<int>>{{}} : QVector<QVector<int>>{lowest, highest};
}

QString typed(const QString &name, const QVector<int> &values)
{
    QString text = name;
    for (int value : values)
        text += QLatin1Char(' ') + QString::number(value);
    return text;
}

} // namespace

void tst_SenderCommands::frames_data()
{
    addArgumentRows(QStringLiteral("frames.txt"), 21);
}

void tst_SenderCommands::frames()
{
    QFETCH(QString, arguments);
    QFETCH(QString, expected);
    const SenderCommandLine commandLine = read(arguments);
    QVERIFY2(commandLine.request, qPrintable(commandLine.error));
    const SendRequest &request = *commandLine.request;
    const PlayerModel &model = catalogue().at(request.modelIndex);
    const auto frame = frameFor(model, request.control);
    QVERIFY(frame);
    QCOMPARE(frameText(model.protocol, request.idByte, frame->code, frame->data, false), expected);
}

Q_DECLARE_METATYPE(NamedControl)

void tst_SenderCommands::everyControlAtBothEnds_data()
{
    QTest::addColumn<int>("modelIndex");
    QTest::addColumn<NamedControl>("named");
    QTest::addColumn<QVector<int>>("values");
    for (int index = 0; index < catalogue().size(); ++index) {
        const PlayerModel &model = catalogue().at(index);
        const QVector<NamedControl> controls = namedControls(model);
        for (const NamedControl &named : controls) {
            const QVector<QVector<int>> ends = rangeEnds(named.parameters);
            for (const QVector<int> &values : ends)
                QTest::addRow("%s/%s", qPrintable(model.name),
                              qPrintable(typed(named.name, values)))
                    << index << named << values;
        }
    }
}

// A name typed in capitals reaches its own control, not another with the same label; one
// past either end is refused with the range in the message.
void tst_SenderCommands::everyControlAtBothEnds()
{
    QFETCH(int, modelIndex);
    QFETCH(NamedControl, named);
    QFETCH(QVector<int>, values);
    const PlayerModel &model = catalogue().at(modelIndex);

    const ResolvedCommand resolved = resolveCommand(model, typed(named.name.toUpper(), values));
    QVERIFY2(resolved.control, qPrintable(resolved.error));
    const auto sent = frameFor(model, *resolved.control);
    QVERIFY(sent);
    QCOMPARE(*sent, *frameFor(model, withParameters(named, values)));

    for (int i = 0; i < values.size(); ++i) {
        for (int beyond :
             {named.parameters.at(i).minimum - 1, named.parameters.at(i).maximum + 1}) {
            QVector<int> outside = values;
            outside[i] = beyond;
            const ResolvedCommand refused = resolveCommand(model, typed(named.name, outside));
            QVERIFY(!refused.control);
            QVERIFY2(refused.error.contains(commandUsage(named)), qPrintable(refused.error));
        }
    }
}

void tst_SenderCommands::usageErrors_data()
{
    addArgumentRows(QStringLiteral("usage.txt"), 16);
}

void tst_SenderCommands::usageErrors()
{
    QFETCH(QString, arguments);
    QFETCH(QString, expected);
    const SenderCommandLine commandLine = read(arguments);
    QVERIFY(!commandLine.request);
    QCOMPARE(commandLine.exitStatus, SendStatus::usageError);
    QVERIFY2(commandLine.error.contains(expected), qPrintable(commandLine.error));
}

QTEST_APPLESS_MAIN(tst_SenderCommands)
#include "tst_sendercommands.moc"
