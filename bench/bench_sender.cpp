// zoxen-send against thousands of loopback players that refuse the connection: how long it
// takes, and that each player is told with its true reason (refused, never "did not answer"),
// under the usual soft limit of 1,024 open files.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

// A port where nothing listens on loopback: bound once to check, then left free.
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = std::min<rlim_t>(1024, limit.rlim_max);
    setrlimit(RLIMIT_NOFILE, &limit);
    QTemporaryDir directory;
    const QString port = QString::number(freePort());
    std::printf("players  seconds  refused  other\n");
    for (const int players : {1000, 10000, 20000}) {
        QFile hosts(directory.filePath(QString::number(players)));
        hosts.open(QIODevice::WriteOnly);
        for (int i = 0; i < players; ++i)
            hosts.write(QStringLiteral("127.2.%1.%2\n").arg(i / 250).arg(i % 250 + 1).toLatin1());
        hosts.close();
        QProcess sender;
        QElapsedTimer timer;
        timer.start();
        sender.start(ZOXEN_SEND, {"--model", "Showcaster - SC900 (TCP/IP)", "--port", port,
                                  "--hosts-file", hosts.fileName(), "--wait", "0", "Standby"});
        sender.waitForFinished(-1);
        const double seconds = timer.elapsed() / 1000.0;
        const QList<QByteArray> lines = sender.readAllStandardOutput().split('\n');
        int refused = 0;
        int other = 0;
        for (const QByteArray &line : lines) {
            if (line.contains(": not sent: "))
                ++(line.endsWith("Connection refused") ? refused : other);
        }
        std::printf("%7d  %7.2f  %7d  %5d\n", players, seconds, refused, other);
    }
    return 0;
}
