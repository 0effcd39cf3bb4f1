// A site check of 250 TCP/IP players on loopback, a tenth of them silent: how long the Site
// Status window and zoxen-send --check take, how many connections the players see open at once,
// and the memory each player costs. The players are servers of this process, one per address
// of 127.0.99.x on the model's own port.

#include "app/consoleenvironment.h"
#include "bench/procstatus.h"
#include "bench/runtimedirectory.h"
#include "players/sitestatuswindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int playerCount = 250;
constexpr int runs = 3;
const QString modelName = QStringLiteral("Showcaster - SC900 (TCP/IP)");
constexpr quint16 modelPort = 65079;

QString addressOf(int player)
{
    return QStringLiteral("127.0.99.%1").arg(player + 1);
}

// Every tenth player accepts and never answers.
bool silent(int player)
{
    return player % 10 == 9;
}

// Whether the client still holds its end: its close may wait in the queue behind the next
// client's connection, which the event loop can take first.
bool peerOpen(QTcpSocket *socket)
{
    char byte = 0;
    const ssize_t got = ::recv(int(socket->socketDescriptor()), &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return got > 0 || (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK));
}

// The players, and the most connections they had open at once since reset().
class Site
{
public:
    Site()
    {
        for (int player = 0; player < playerCount; ++player) {
            auto server = std::make_unique<QTcpServer>();
            if (!server->listen(QHostAddress(addressOf(player)), modelPort))
                std::fprintf(stderr, "%s: %s\n", qPrintable(addressOf(player)),
                             qPrintable(server->errorString()));
            QTcpServer *listener = server.get();
            QObject::connect(listener, &QTcpServer::newConnection, [this, listener, player] {
                while (QTcpSocket *socket = listener->nextPendingConnection())
                    accept(socket, silent(player));
            });
            m_servers.push_back(std::move(server));
        }
    }

    void reset() { m_mostOpen = 0; }
    int mostOpen() const { return m_mostOpen; }

private:
    void accept(QTcpSocket *socket, bool silent)
    {
        m_open.erase(std::remove_if(m_open.begin(), m_open.end(),
                                    [](QTcpSocket *open) { return !peerOpen(open); }),
                     m_open.end());
        m_open.push_back(socket);
        m_mostOpen = std::max(m_mostOpen, int(m_open.size()));
        QObject::connect(socket, &QTcpSocket::readyRead, [socket, silent] {
            socket->readAll();
            if (!silent)
                socket->write("PLAYER STATUS: PLAYING FOLDER 001\r\n");
        });
        QObject::connect(socket, &QTcpSocket::disconnected, [this, socket] {
            m_open.erase(std::remove(m_open.begin(), m_open.end(), socket), m_open.end());
            socket->deleteLater();
        });
    }

    std::vector<std::unique_ptr<QTcpServer>> m_servers;
    std::vector<QTcpSocket *> m_open;
    int m_mostOpen = 0;
};

QVector<SavedPlayer> savedPlayers(int count)
{
    QVector<SavedPlayer> players;
    for (int player = 0; player < count; ++player)
        players.append({QStringLiteral("Player %1").arg(player + 1), modelName, addressOf(player),
                        std::nullopt, std::nullopt});
    return players;
}

struct Figures
{
    double seconds;
    int mostOpen;
    int answering;
    double kibPerPlayer;
};

Figures checkInWindow(Site &site, const ConsoleEnvironment &environment, int players)
{
    site.reset();
    const long before = residentKiB();
    auto window = std::make_unique<SiteStatusWindow>(savedPlayers(players), environment, nullptr);
    window->show();
    QEventLoop loop;
    QObject::connect(window.get(), &SiteStatusWindow::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    window->check();
    loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;
    const long after = residentKiB();
    const QTableWidget *table = window->findChild<QTableWidget *>();
    const int answering = int(table->findItems(QStringLiteral("answers"), Qt::MatchExactly).size());
    return {seconds, site.mostOpen(), answering, double(after - before) / players};
}

// The child: runs zoxen-send with the arguments given, then tells its peak resident memory on
// the last line of stderr, its own rather than the highest of all children.
int runMeasured(char *argv[])
{
    const pid_t child = fork();
    if (child == 0) {
        argv[0] = const_cast<char *>(ZOXEN_SEND);
        execv(ZOXEN_SEND, argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::fprintf(stderr, "\n%ld\n", usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

struct SendFigures
{
    double seconds;
    int mostOpen;
    int answering;
    int exitStatus;
    long peakKiB;
};

SendFigures checkWithSender(Site &site, const QString &playersFile)
{
    site.reset();
    QProcess sender;
    QEventLoop loop;
    QObject::connect(&sender, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop,
                     &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    sender.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--measured"), QStringLiteral("--players"), playersFile,
                  QStringLiteral("--all-players"), QStringLiteral("--check"),
                  QStringLiteral("--wait"), QStringLiteral("1000")});
    loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;
    int answering = 0;
    for (const QByteArray &line : sender.readAllStandardOutput().split('\n'))
        answering += line.split('\t').value(1) == "answers";
    const QList<QByteArray> errors = sender.readAllStandardError().trimmed().split('\n');
    return {seconds, site.mostOpen(), answering, sender.exitCode(), errors.last().toLong()};
}

void writePlayers(const QString &path, int count)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    for (const SavedPlayer &player : savedPlayers(count))
        file.write(
            QStringLiteral("%1\t%2\t%3\n").arg(player.name, player.model, player.address).toUtf8());
}

} // namespace

int main(int argc, char *argv[])
{
    const RuntimeDirectory runtime;
    if (argc > 1 && qstrcmp(argv[1], "--measured") == 0)
        return runMeasured(argv + 1);

    QApplication application(argc, argv);
    Site site;
    const ConsoleEnvironment environment = systemEnvironment();
    std::printf("%d players of %s on 127.0.99.1-%d, every tenth silent; platform %s\n", playerCount,
                qPrintable(modelName), playerCount, qPrintable(QGuiApplication::platformName()));
    std::printf("goals: at most 5 s, at most 64 connections open at once, at most 50 KB a "
                "player; 225 answering\n\n");

    // The first window shown brings the platform's one-off costs (under Xvfb, some 60 MB), which
    // the console's own window has paid before any Site Status opens.
    const Figures first = checkInWindow(site, environment, 1);
    std::printf("Site Status window, %d ms answer wait, after a first one of one player (it grew "
                "%.0f KiB):\n",
                environment.checkAnswerWaitMs, first.kibPerPlayer);
    // The growth counts the players' sockets too, served by this process: an upper bound.
    std::printf("  run  seconds  most open  answering  resident growth a player\n");
    std::printf(" goal     <= 5      <= 64        225            <= 50 KiB\n");
    for (int run = 1; run <= runs; ++run) {
        const Figures figures = checkInWindow(site, environment, playerCount);
        std::printf("  %3d  %7.2f  %9d  %9d  %15.1f KiB\n", run, figures.seconds, figures.mostOpen,
                    figures.answering, figures.kibPerPlayer);
    }

    // The peak of a check of one player is the program's own; what grows past it, the players'.
    QTemporaryDir directory;
    const QString one = directory.filePath(QStringLiteral("one"));
    const QString all = directory.filePath(QStringLiteral("all"));
    writePlayers(one, 1);
    writePlayers(all, playerCount);
    const long basePeak = checkWithSender(site, one).peakKiB;
    std::printf("\nzoxen-send --check --wait 1000 (peak of one player's check: %ld KiB):\n",
                basePeak);
    std::printf("  run  seconds  most open  answering  exit  peak KiB  peak / %d  peak past one's "
                "a player\n",
                playerCount);
    std::printf(" goal     <= 5      <= 64        225     1                                 <= 50 "
                "KiB\n");
    for (int run = 1; run <= runs; ++run) {
        const SendFigures figures = checkWithSender(site, all);
        std::printf("  %3d  %7.2f  %9d  %9d  %4d  %8ld  %6.1f KiB  %23.1f KiB\n", run,
                    figures.seconds, figures.mostOpen, figures.answering, figures.exitStatus,
                    figures.peakKiB, double(figures.peakKiB) / playerCount,
                    double(figures.peakKiB - basePeak) / (playerCount - 1));
    }
    return 0;
}
