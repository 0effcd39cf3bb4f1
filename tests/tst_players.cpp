#include "players/playersfile.h"
#include "testtable.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The site's players file: damaged lines reported and left out, the rest kept, written back as
// it was read; anything but a small regular file read as no players, without blocking.
class tst_Players : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void files();
};

void tst_Players::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QStringList>("problems");
    const QVector<QStringList> rows = tableRows(QStringLiteral("players.txt"), 3);
    QVERIFY(rows.size() >= 4);
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row.at(0).left(50)))
            << QString(row.at(0))
                   .replace(u'⇥', '\t')
                   .replace(u'¶', '\n')
                   .replace("\\r", "\r")
                   .toUtf8()
            << row.at(1) << row.at(2).split(u'¶', Qt::SkipEmptyParts);
}

void tst_Players::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, kept);
    QFETCH(QStringList, problems);
    const PlayerCatalogueList catalogue = buildCatalogueModels();
    const SavedPlayers saved = parsePlayers(content, catalogue);
    QStringList names;
    for (const SavedPlayer &player : saved.players)
        names << player.name;
    QCOMPARE(names.join(", "), kept);
    QCOMPARE(saved.problems, problems);
    // Written back, read again: the same players, the damaged lines kept to be mended.
    const SavedPlayers again = parsePlayers(formatPlayers(saved), catalogue);
    QCOMPARE(again.players, saved.players);
    QCOMPARE(again.damagedLines, saved.damagedLines);
}

void tst_Players::files()
{
    const PlayerCatalogueList catalogue = buildCatalogueModels();
    QTemporaryDir directory;
    const QString path = playersPath(directory.filePath("Zoxen Console.cfg"));
    QCOMPARE(QFileInfo(path).fileName(), "Zoxen Console.players");
    QCOMPARE(readPlayersFile(path, catalogue).problems, QStringList());
    QByteArray large = "A\tTimetune\t/dev/ttyS0\n";
    large += QByteArray(maxPlayersFileSize, '#');
    QVERIFY(writeFile(path, large));
    QCOMPARE(readPlayersFile(path, catalogue).problems.size(), 1);
    QFile::remove(path);
    QCOMPARE(mkfifo(qPrintable(path), 0600), 0);
    const SavedPlayers fromFifo = readPlayersFile(path, catalogue);
    QVERIFY(fromFifo.players.isEmpty() && fromFifo.problems.size() == 1 && fromFifo.refused);
}

QTEST_GUILESS_MAIN(tst_Players)
#include "tst_players.moc"
