#include "catalogue/playercatalogue.h"
#include "sender/commandnames.h"

#include <QtTest>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryFile>

#include <algorithm>
#include <map>
#include <memory>

// The zoxen-send program on real links: every command of a serial and a TCP/IP model, decoded
// by the simulator as that command; one command to many loopback players at once.
class tst_Sender : public QObject
{
    Q_OBJECT

private slots:
    void simulatorDecodesEveryCommand_data();
    void simulatorDecodesEveryCommand();
    void manyPlayersOneRefusing();
    void onDemandModelAcrossTwoPlayers();
    void cleanupTestCase();

private:
    struct Simulator;
    Simulator &simulatorFor(const QString &model);
    std::map<QString, std::unique_ptr<Simulator>> m_simulators;
};

namespace {

struct SenderRun
{
    int status = -1;
    QStringList lines;
};

// Runs zoxen-send while this process keeps serving its loopback players.
SenderRun runSender(const QStringList &arguments)
{
    QProcess sender;
    QEventLoop loop;
    QObject::connect(&sender, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop,
                     &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    sender.start(QStringLiteral(ZOXEN_SEND), arguments);
    loop.exec();
    const bool ended = sender.state() == QProcess::NotRunning;
    SenderRun run;
    if (ended && sender.exitStatus() == QProcess::NormalExit)
        run.status = sender.exitCode();
    run.lines = QString::fromUtf8(sender.readAllStandardOutput()).split(QLatin1Char('\n'));
    run.lines.removeAll(QString());
    return run;
}

// A player on a loopback address: keeps what each connection brought, and may answer and
// close the connection as the on-demand device does.
class LoopbackPlayer : public QTcpServer
{
public:
    explicit LoopbackPlayer(const QByteArray &answer = QByteArray())
    {
        connect(this, &QTcpServer::newConnection, this, [this, answer] {
            while (QTcpSocket *peer = nextPendingConnection()) {
                received.append(QByteArray());
                const int index = received.size() - 1;
                connect(peer, &QTcpSocket::readyRead, this, [this, peer, index, answer] {
                    received[index] += peer->readAll();
                    if (!answer.isEmpty()) {
                        peer->write(answer);
                        peer->disconnectFromHost();
                    }
                });
                connect(peer, &QTcpSocket::disconnected, this, [this] { ++closed; });
            }
        });
    }

    // What each connection received, in order.
    QVector<QByteArray> received;
    int closed = 0;
};

QByteArray frameBytes(const QString &frameText)
{
    QByteArray bytes;
    const QStringList parts = frameText.split(QLatin1Char(' '));
    for (const QString &part : parts)
        bytes.append(char(part.toInt(nullptr, 16)));
    return bytes;
}

} // namespace

// A simulator started once per model and left running for all its rows; serial models on a
// pseudo-terminal, TCP/IP models on a free loopback port.
struct tst_Sender::Simulator
{
    QProcess process;
    QString output;
    QStringList link;
};

tst_Sender::Simulator &tst_Sender::simulatorFor(const QString &model)
{
    std::unique_ptr<Simulator> &simulator = m_simulators[model];
    if (simulator)
        return *simulator;
    simulator = std::make_unique<Simulator>();
    Simulator *running = simulator.get();
    QStringList arguments{model};
    const PlayerCatalogueList catalogue = buildCatalogueModels();
    const bool tcp =
        std::any_of(catalogue.begin(), catalogue.end(),
                    [&model](const PlayerModel &m) { return m.name == model && m.isTcp(); });
    QString port;
    if (tcp) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = QString::number(probe.serverPort());
        arguments = QStringList{QStringLiteral("--port"), port, model};
    }
    connect(&running->process, &QProcess::readyReadStandardOutput, this, [running] {
        running->output += QString::fromUtf8(running->process.readAllStandardOutput());
    });
    running->process.start(QStringLiteral(ZOXEN_DEVICE_SIM), arguments);
    // Its first line says where it can be reached; no link is set when it did not start.
    if (!QTest::qWaitFor([running] { return running->output.contains(QLatin1Char('\n')); }, 10000))
        return *running;
    const QString firstLine = running->output.section(QLatin1Char('\n'), 0, 0);
    if (tcp && firstLine.startsWith(QStringLiteral("listening on ")))
        running->link = QStringList{QStringLiteral("--host"), QStringLiteral("127.0.0.1"),
                                    QStringLiteral("--port"), port};
    else if (firstLine.startsWith(QStringLiteral("serial port: ")))
        running->link =
            QStringList{QStringLiteral("--device"), firstLine.section(QStringLiteral(": "), 1)};
    return *running;
}

void tst_Sender::cleanupTestCase()
{
    for (auto &entry : m_simulators) {
        entry.second->process.terminate();
        entry.second->process.waitForFinished();
    }
}

void tst_Sender::simulatorDecodesEveryCommand_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("values");
    const PlayerCatalogueList catalogue = buildCatalogueModels();
    for (const PlayerModel &model : catalogue) {
        if (model.name != QLatin1String("Showcaster - SC900 (Serial)") &&
            model.name != QLatin1String("Tunebox (NX) (TCP/IP)"))
            continue;
        const QVector<NamedControl> controls = namedControls(model);
        for (const NamedControl &named : controls) {
            QStringList lowest;
            QStringList highest;
            for (const ParameterRange &range : named.parameters) {
                lowest.append(QString::number(range.minimum));
                highest.append(QString::number(range.maximum));
            }
            QTest::addRow("%s/%s", qPrintable(model.name), qPrintable(commandUsage(named)))
                << model.name << named.name << lowest;
            if (highest != lowest)
                QTest::addRow("%s/%s at its highest", qPrintable(model.name),
                              qPrintable(commandUsage(named)))
                    << model.name << named.name << highest;
        }
    }
}

// The simulator prints each frame it receives in hexadecimal, two spaces, then what it decoded.
void tst_Sender::simulatorDecodesEveryCommand()
{
    QFETCH(QString, model);
    QFETCH(QString, name);
    QFETCH(QStringList, values);
    Simulator &simulator = simulatorFor(model);
    QVERIFY2(!simulator.link.isEmpty(), qPrintable(simulator.output));
    const int seen = simulator.output.size();

    const QString command = (QStringList{name} + values).join(QLatin1Char(' '));
    const SenderRun run =
        runSender(QStringList{QStringLiteral("--model"), model} + simulator.link +
                  QStringList{QStringLiteral("--wait"), QStringLiteral("0"), command});
    QCOMPARE(run.status, 0);
    QVERIFY(!run.lines.isEmpty());
    const QString start = run.lines.first() + QStringLiteral("  ");
    QString decoded;
    const bool printed = QTest::qWaitFor(
        [&] {
            const QStringList lines = simulator.output.mid(seen).split(QLatin1Char('\n'));
            for (const QString &line : lines) {
                if (line.startsWith(start))
                    decoded = line.mid(start.size());
            }
            return !decoded.isEmpty();
        },
        10000);
    QVERIFY2(printed, qPrintable(simulator.output.mid(seen)));
    QVERIFY2(decoded.contains(name, Qt::CaseInsensitive), qPrintable(decoded));
    for (const QString &value : values) {
        const QRegularExpression word(QStringLiteral("\\b%1\\b").arg(value));
        QVERIFY2(decoded.contains(word), qPrintable(decoded));
    }
}

// Two players listen, the third refuses: both get the frame once, the third is reported.
void tst_Sender::manyPlayersOneRefusing()
{
    LoopbackPlayer first;
    LoopbackPlayer second;
    QVERIFY(first.listen(QHostAddress(QStringLiteral("127.0.93.1"))));
    const quint16 port = first.serverPort();
    QVERIFY(second.listen(QHostAddress(QStringLiteral("127.0.93.2")), port));
    QTemporaryFile hosts;
    QVERIFY(hosts.open());
    hosts.write("# the lobby\n127.0.93.2\n\n");
    hosts.close();

    const SenderRun run =
        runSender({QStringLiteral("--model"), QStringLiteral("Showcaster - SC900 (TCP/IP)"),
                   QStringLiteral("--host"), QStringLiteral("127.0.93.1"), QStringLiteral("--host"),
                   QStringLiteral("127.0.93.3"), QStringLiteral("--hosts-file"), hosts.fileName(),
                   QStringLiteral("--port"), QString::number(port), QStringLiteral("--wait"),
                   QStringLiteral("0"), QStringLiteral("Standby")});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.lines,
             QStringList({QStringLiteral("80 02 0C"), QStringLiteral("127.0.93.1: sent"),
                          QStringLiteral("127.0.93.3: not sent: An TCP/IP error has occurred! "
                                         "Connection refused"),
                          QStringLiteral("127.0.93.2: sent")}));
    // Once the connection is closed, all it carried has been read.
    for (LoopbackPlayer *player : {&first, &second}) {
        QTRY_COMPARE(player->closed, 1);
        QCOMPARE(player->received, QVector<QByteArray>{frameBytes(run.lines.first())});
    }
}

// Each player gets its own connection for the one command, answers on it and closes it.
void tst_Sender::onDemandModelAcrossTwoPlayers()
{
    LoopbackPlayer first("PLAYING\r\n");
    LoopbackPlayer second("STOPPED\r\n");
    QVERIFY(first.listen(QHostAddress(QStringLiteral("127.0.93.4"))));
    QVERIFY(second.listen(QHostAddress(QStringLiteral("127.0.93.5")), first.serverPort()));

    const SenderRun run =
        runSender({QStringLiteral("--model"), QStringLiteral("Tunebox (NX) (TCP/IP)"),
                   QStringLiteral("--host"), QStringLiteral("127.0.93.4"), QStringLiteral("--host"),
                   QStringLiteral("127.0.93.5"), QStringLiteral("--port"),
                   QString::number(first.serverPort()), QStringLiteral("--wait"),
                   QStringLiteral("10000"), QStringLiteral("Player status")});
    QCOMPARE(run.status, 0);
    QVERIFY(!run.lines.isEmpty());
    QVERIFY2(run.lines.contains(QStringLiteral("127.0.93.4: answer text: PLAYING")),
             qPrintable(run.lines.join('\n')));
    QVERIFY2(run.lines.contains(QStringLiteral("127.0.93.5: answer text: STOPPED")),
             qPrintable(run.lines.join('\n')));
    for (LoopbackPlayer *player : {&first, &second}) {
        QTRY_COMPARE(player->closed, 1);
        QCOMPARE(player->received, QVector<QByteArray>{frameBytes(run.lines.first())});
    }
}

QTEST_GUILESS_MAIN(tst_Sender)
#include "tst_sender.moc"
