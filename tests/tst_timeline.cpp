#include "testtable.h"
#include "timeline/localclock.h"
#include "timeline/timelinetext.h"

#include <QtTest>

// The events of a link rendered as the timeline and as the plain view, from the history that
// the display keeps of them.
namespace {

ReceiveMode modeOf(QChar letter)
{
    return letter == 'H'   ? ReceiveMode::Hexadecimal
           : letter == 'D' ? ReceiveMode::Decimal
                           : ReceiveMode::Ascii;
}

QString unescaped(QString text)
{
    return text.replace("\\r", "\r").replace("\\n", "\n");
}

} // namespace

class tst_Timeline : public QObject
{
    Q_OBJECT

private slots:
    void render_data();
    void render();
    void historyStaysBounded();
    void localClockFollowsTheZone();
};

void tst_Timeline::render_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("timeline");
    QTest::addColumn<QString>("plain");
    const QVector<QStringList> rows = tableRows(QStringLiteral("timeline.txt"), 4);
    QVERIFY(rows.size() >= 9);
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row.at(0).left(60)))
            << row.at(0).split(';') << row.at(1) << QString(row.at(2)).replace(u'¶', '\n')
            << unescaped(row.at(3));
}

// Each step goes through the history as the display hands it over, the timeline rendered live
// alongside; rendered again from the history, it must read the same.
void tst_Timeline::render()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, style);
    QFETCH(QString, timeline);
    QFETCH(QString, plain);
    const TimelineStyle shown{modeOf(style.at(0)), style.endsWith('d')};
    LinkHistory history;
    TimelineText live(shown);
    QString liveText;
    const QString kinds = QStringLiteral("SNCBDLFW");
    for (const QString &step : steps) {
        const QStringList fields = step.trimmed().split(' ');
        const QStringList time = fields.at(1).split('@');
        const qint64 msecs = time.at(0).toLongLong();
        const int offset = time.value(1).toInt();
        if (fields.at(0).startsWith('R')) {
            const QByteArray bytes = QByteArray::fromHex(fields.at(2).toLatin1());
            history.receive(bytes, modeOf(fields.at(0).at(1)), msecs, offset);
            live.receive(liveText, bytes, msecs, msecs, offset);
            continue;
        }
        LinkEvent event;
        event.kind = LinkEvent::Kind(kinds.indexOf(fields.at(0)) + 1);
        event.msecs = event.lastMsecs = msecs;
        event.utcOffsetSeconds = offset;
        const bool frame =
            event.kind == LinkEvent::Kind::Sent || event.kind == LinkEvent::Kind::NotSent;
        if (frame)
            event.bytes = QByteArray::fromHex(fields.at(2).toLatin1());
        event.text = fields.mid(frame ? 3 : 2).join(' ');
        live.add(liveText, event);
        history.add(event);
    }
    QCOMPARE(liveText, timeline);
    TimelineText again(shown);
    QString rendered;
    for (const LinkEvent &event : history.events())
        again.add(rendered, event);
    QCOMPARE(rendered, timeline);
    ReceiveDecoderState decoder;
    QCOMPARE(plainText(history, decoder), plain);
}

// A device that streams without end fills the history up to its bound and no further; the
// newest bytes are kept, and no single event grows without end.
void tst_Timeline::historyStaysBounded()
{
    LinkHistory history;
    history.setLimit(64 * 1024);
    const QByteArray chunk(100, 'x');
    for (int read = 0; read < 10000; ++read)
        history.receive(chunk + QByteArray::number(read), ReceiveMode::Ascii, read, 0);
    qint64 kept = 0;
    for (const LinkEvent &event : history.events()) {
        QVERIFY(event.bytes.size() < 16 * 1024);
        kept += event.bytes.size();
    }
    QVERIFY(kept <= history.limit());
    QVERIFY(kept > history.limit() / 2);
    QVERIFY(history.events().back().bytes.endsWith("x9999"));
}

// Within a second of a change of the system's time zone, the clock gives the new offset.
void tst_Timeline::localClockFollowsTheZone()
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "UTC");
    const auto clock = localClock();
    QCOMPARE(clock().offsetFromUtc(), 0);
    qputenv("TZ", "Asia/Kolkata");
    QTRY_COMPARE(clock().offsetFromUtc(), 5 * 3600 + 30 * 60);
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
}

QTEST_GUILESS_MAIN(tst_Timeline)
#include "tst_timeline.moc"
