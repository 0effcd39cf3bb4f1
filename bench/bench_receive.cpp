// The window's read path under a talking device: cost per chunk as the history grows, the
// throughput it sustains while the event loop stays responsive, and its memory. The device is
// the master side of a pseudo-terminal whose slave the window opens as its serial port.

#include "app/mainwindow.h"
#include "bench/procstatus.h"
#include "bench/runtimedirectory.h"
#include "link/devicelink.h"
#include "receive/receivedview.h"
#include "startup/applicationidentity.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int chunkBytes = 16;
constexpr int timedChunks = 1000;
constexpr int timelineRounds = 4;
constexpr qint64 historyCharacters = 4 * 1024 * 1024;
constexpr int lineRateBytesPerSecond = 11520;

// User-space CPU time: the window's own work, without the pseudo-terminal driver's, which
// dominates the wall time of a 16-byte round trip and varies with the machine's load.
double userSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6;
}

class Device
{
public:
    Device()
    {
        char name[256] = {};
        openpty(&m_master, &m_slave, name, nullptr, nullptr);
        termios raw{};
        tcgetattr(m_slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(m_slave, TCSANOW, &raw);
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        m_name = QString::fromLocal8Bit(name);
    }
    QString name() const { return m_name; }
    // Writes what the terminal takes now; the rest is the caller's to retry.
    int offer(const char *bytes, int count)
    {
        const ssize_t written = ::write(m_master, bytes, size_t(count));
        return written > 0 ? int(written) : 0;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_name;
};

// Counts the paints of the view, which should come at most 25 times a second however fast the
// appends come.
struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The save dialog answers with the path that `path` holds when it is asked.
ConsoleEnvironment recordingEnvironment(const QString &path)
{
    ConsoleEnvironment environment = systemEnvironment();
    environment.chooseSavePath = [&path](auto &&...) {
        return path;
    };
    return environment;
}

class Bench
{
public:
    Bench()
    {
        auto *players = m_window.findChild<QComboBox *>(QStringLiteral("comboBox_Player"));
        players->setCurrentIndex(0);
        emit players->activated(0);
        auto *ports = m_window.findChild<QComboBox *>(QStringLiteral("comboBox_Port"));
        ports->addItem(m_device.name());
        ports->setCurrentIndex(ports->count() - 1);
        m_window.findChild<QPushButton *>(QStringLiteral("pushButton_Connect"))->click();
        m_window.findChild<QRadioButton *>(QStringLiteral("radioButton_Data_Hex"))
            ->setChecked(true);
        m_view = m_window.findChild<ReceivedDataView *>(QStringLiteral("textEdit_Data"));
        m_view->viewport()->installEventFilter(&m_paints);
        m_window.show();
    }

    bool linked() { return m_window.findChild<DeviceLink *>()->state() == DeviceLink::State::Open; }

    // Ticks the timeline's check box; returns how long rendering the history again took.
    double switchTimeline()
    {
        QElapsedTimer timer;
        timer.start();
        m_window.findChild<QCheckBox *>(QStringLiteral("checkBox_Timeline"))->click();
        return timer.nsecsElapsed() / 1e6;
    }

    // Through File > Record Session..., or Stop Recording for an empty path.
    void record(const QString &path)
    {
        m_recordingPath = path;
        m_window
            .findChild<QAction *>(path.isEmpty() ? QStringLiteral("action_Stop_Recording")
                                                 : QStringLiteral("action_Record_Session"))
            ->trigger();
    }

    struct ChunkCost
    {
        double wallMicroseconds;
        double userMicroseconds;
    };

    // Cost per chunk, each chunk shown before the next is sent; ended by CR LF, each chunk is a
    // line of the timeline of its own, with its time.
    ChunkCost timeChunks(int thousands = 1, bool lines = false)
    {
        const QByteArray chunk = QByteArray(chunkBytes - 2, '\x5A') + (lines ? "\r\n" : "\x5A\x5A");
        const int count = thousands * timedChunks;
        QElapsedTimer timer;
        timer.start();
        const double userBefore = userSeconds();
        for (int i = 0; i < count; ++i) {
            const int expected = m_view->text().size() + 3 * chunkBytes;
            sendAll(chunk);
            while (m_view->text().size() < expected)
                QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        return {timer.nsecsElapsed() / 1e3 / count, (userSeconds() - userBefore) * 1e6 / count};
    }

    void fillTo(qint64 characters)
    {
        const QByteArray block(4096, '\x33');
        while (m_view->text().size() < characters) {
            sendAll(block);
            QCoreApplication::processEvents();
        }
        settle();
    }

    struct Stream
    {
        double bytesPerSecond;
        qint64 worstLateMs; // of a 10 ms timer in the same event loop
        double paintsPerSecond;
    };

    // Back-to-back chunks for `seconds`, or until the history reaches its cap.
    Stream stream(int seconds, bool untilCapped = false)
    {
        // Back-to-back chunks: as many as the terminal takes, then the event loop runs.
        const QByteArray chunks(256 * chunkBytes, '\x7E');
        qint64 worstLateMs = 0;
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            worstLateMs = qMax(worstLateMs, sinceTick.elapsed() - 10);
            sinceTick.restart();
        });
        qint64 shownBefore = m_view->text().size();
        qint64 shown = 0;
        int previousSize = m_view->text().size();
        bool capped = false;
        const int paintsBefore = m_paints.paints;
        QElapsedTimer timer;
        timer.start();
        sinceTick.start();
        ticker.start(10);
        while (untilCapped ? !capped : timer.elapsed() < seconds * 1000) {
            m_device.offer(chunks.constData(), chunks.size());
            QCoreApplication::processEvents();
            const int size = m_view->text().size();
            if (size < previousSize) {
                capped = true;
                shown += previousSize - shownBefore;
                shownBefore = size;
            }
            previousSize = size;
        }
        ticker.stop();
        shown += m_view->text().size() - shownBefore;
        const double elapsedSeconds = timer.nsecsElapsed() / 1e9;
        return {shown / 3.0 / elapsedSeconds, worstLateMs,
                (m_paints.paints - paintsBefore) / elapsedSeconds};
    }

private:
    void sendAll(const QByteArray &bytes)
    {
        int offered = 0;
        while (offered < bytes.size()) {
            const int n = m_device.offer(bytes.constData() + offered, bytes.size() - offered);
            offered += n;
            if (n == 0)
                QCoreApplication::processEvents();
        }
    }

    void settle()
    {
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < 100)
            QCoreApplication::processEvents();
    }

    Device m_device;
    PaintCounter m_paints;
    QString m_recordingPath;
    MainWindow m_window{recordingEnvironment(m_recordingPath)};
    ReceivedDataView *m_view = nullptr;
};

} // namespace

int main(int argc, char *argv[])
{
    const RuntimeDirectory runtime;
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    setApplicationIdentity();
    QApplication application(argc, argv);

    Bench bench;
    if (!bench.linked()) {
        std::fprintf(stderr, "could not open the pseudo-terminal as a serial port\n");
        return 1;
    }
    std::printf("Receiving in hexadecimal, %d-byte chunks, platform %s\n", chunkBytes,
                qPrintable(QGuiApplication::platformName()));
    const auto first = bench.timeChunks();
    bench.fillTo(historyCharacters);
    const long afterHistory = residentKiB();
    const auto later = bench.timeChunks();
    std::printf("  per chunk, each shown before the next:   wall      user CPU\n");
    std::printf("  first %d chunks:                   %7.1f us  %7.1f us\n", timedChunks,
                first.wallMicroseconds, first.userMicroseconds);
    std::printf("  %d chunks after 4 MB shown:        %7.1f us  %7.1f us\n", timedChunks,
                later.wallMicroseconds, later.userMicroseconds);
    std::printf("  ratio (goal: at most 1.5)               %7.2f   %7.2f\n",
                later.wallMicroseconds / first.wallMicroseconds,
                later.userMicroseconds / first.userMicroseconds);
    // Chunks cost a few microseconds of CPU each, near the clock's tick over a thousand: the two
    // views take turns, over many more chunks.
    Bench::ChunkCost plain{}, timeline{};
    double timelineOnMs = 0, timelineOffMs = 0;
    for (int round = 0; round < timelineRounds; ++round) {
        const auto plainRound = bench.timeChunks(5, true);
        timelineOnMs += bench.switchTimeline() / timelineRounds;
        const auto timelineRound = bench.timeChunks(5, true);
        timelineOffMs += bench.switchTimeline() / timelineRounds;
        plain = {plain.wallMicroseconds + plainRound.wallMicroseconds / timelineRounds,
                 plain.userMicroseconds + plainRound.userMicroseconds / timelineRounds};
        timeline = {timeline.wallMicroseconds + timelineRound.wallMicroseconds / timelineRounds,
                    timeline.userMicroseconds + timelineRound.userMicroseconds / timelineRounds};
    }
    std::printf("  %d lines plainly, in turns:          %7.1f us  %7.1f us\n",
                timelineRounds * 5 * timedChunks, plain.wallMicroseconds, plain.userMicroseconds);
    std::printf("  as many with the timeline on:           %7.1f us  %7.1f us\n",
                timeline.wallMicroseconds, timeline.userMicroseconds);
    std::printf("  ratio to the plain view (goal: at most 1.2) %5.2f   %7.2f\n",
                timeline.wallMicroseconds / plain.wallMicroseconds,
                timeline.userMicroseconds / plain.userMicroseconds);
    std::printf("  the history shown again: as the timeline in %.0f ms, plainly in %.0f ms\n",
                timelineOnMs, timelineOffMs);
    const QTemporaryDir recordingDirectory;
    bench.record(recordingDirectory.filePath(QStringLiteral("session.log")));
    const auto recorded = bench.timeChunks();
    bench.record(QString());
    std::printf("  %d chunks while recording:          %7.1f us  %7.1f us\n", timedChunks,
                recorded.wallMicroseconds, recorded.userMicroseconds);

    const auto [rate, worstLate, paintRate] = bench.stream(5);
    std::printf("  back-to-back for 5 s:     %8.0f bytes/s = %.0f x a 115200 bit/s line "
                "(goal: at least 100)\n",
                rate, rate / lineRateBytesPerSecond);
    std::printf("  10 ms timer, worst delay: %8lld ms (goal: at most 50)\n",
                static_cast<long long>(worstLate));
    std::printf("  view repainted:           %8.0f times/s (goal: at most 25)\n", paintRate);

    bench.stream(0, true);
    std::printf("  resident memory after 4 MB shown:     %7ld KiB\n", afterHistory);
    std::printf("  resident memory once the cap is hit:  %7ld KiB\n", residentKiB());
    return 0;
}
