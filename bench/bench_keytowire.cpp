// How soon a key pressed in the window puts its frame on the wire while a device streams to it.
// The window receives in hexadecimal, at the line rate (11,520 bytes a second, a chunk every
// 10 ms), through a pseudo-terminal whose master a thread of its own plays; every 200 ms a
// Space is queued for the focused Play button, as the window system delivers a key, down, then
// up 60 ms later, and the thread notes when the frame's first byte reaches it, timed from the
// key coming up, when a button acts. Printed: the median and the worst of the key presses, with
// the window idle and while it streams, and of the part until the console had written the frame
// (the rest is the kernel's, taking it through the terminal). Draws on the current display:
//     xvfb-run -a build/bench/bench_keytowire [--seconds N]

#include "app/mainwindow.h"
#include "bench/runtimedirectory.h"
#include "link/devicelink.h"
#include "simulator/pseudoterminal.h"
#include "startup/applicationidentity.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int lineRate = 11520;
constexpr int tickMs = 10;
constexpr int pressEveryMs = 200;
constexpr int keyDownMs = 60;
constexpr char model[] = "Showcaster - SC900 (Serial)";

// The device: streams `rate` bytes a second into the master, every byte value in turn, and
// notes when bytes come back from the window.
class Device
{
public:
    Device(int master, int rate)
        : m_master(master)
        , m_chunk(rate * tickMs / 1000)
        , m_thread([this] { run(); })
    {}
    ~Device()
    {
        m_stop = true;
        m_thread.join();
    }

    // Whether the thread runs before the others when it has something to do.
    bool servedFirst() const { return m_ownProcessor; }

    // When bytes came back since the last call, the first moment they did.
    std::vector<Clock::time_point> takeArrivals()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(m_arrivals, {});
    }

private:
    void run()
    {
        // A device is a machine of its own: here its thread must not queue for the processors
        // behind the window and the display server, or their load would be timed as the link's.
        sched_param priority{};
        priority.sched_priority = sched_get_priority_min(SCHED_FIFO);
        m_ownProcessor = pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority) == 0;
        QByteArray chunk(m_chunk, '\0');
        int next = 0;
        auto due = Clock::now();
        while (!m_stop) {
            if (m_chunk > 0 && Clock::now() >= due) {
                for (char &byte : chunk)
                    byte = char(next++);
                // A full terminal drops the chunk: the window has fallen behind, which the
                // key presses then show.
                (void)::write(m_master, chunk.constData(), size_t(chunk.size()));
                due += std::chrono::milliseconds(tickMs);
            }
            pollfd wire{m_master, POLLIN, 0};
            if (poll(&wire, 1, 1) > 0 && (wire.revents & POLLIN)) {
                const auto arrived = Clock::now();
                char buffer[256];
                if (::read(m_master, buffer, sizeof buffer) > 0) {
                    const std::lock_guard<std::mutex> lock(m_mutex);
                    m_arrivals.push_back(arrived);
                }
            }
        }
    }

    const int m_master;
    const int m_chunk;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_ownProcessor{false};
    std::mutex m_mutex;
    std::vector<Clock::time_point> m_arrivals;
    std::thread m_thread;
};

struct Spread
{
    double medianMs = 0;
    double worstMs = 0;
};

Spread spread(std::vector<double> times)
{
    if (times.empty())
        return {};
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

struct Latency
{
    Spread wire;
    // Until the console had written the frame to the line: what is left is the kernel's.
    Spread written;
    int presses = 0;
    int unanswered = 0;
};

double ms(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Presses Space on `button` every 200 ms for `seconds`, and times each press, from the key
// coming up, to the first byte the device gets after it, and to the frame written by `link`.
Latency pressKeys(QPushButton *button, DeviceLink *link, Device &device, int seconds)
{
    std::vector<double> times, writtenTimes;
    Latency latency;
    Clock::time_point released;
    const QMetaObject::Connection written = QObject::connect(
        link, &DeviceLink::frameLeft, [&] { writtenTimes.push_back(ms(Clock::now() - released)); });
    const auto press = [&] {
        if (latency.presses > 0) {
            const auto arrivals = device.takeArrivals();
            const auto first = std::find_if(arrivals.begin(), arrivals.end(),
                                            [&](Clock::time_point at) { return at >= released; });
            if (first == arrivals.end())
                ++latency.unanswered;
            else
                times.push_back(ms(*first - released));
        }
        ++latency.presses;
        QCoreApplication::postEvent(button, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space,
                                                          Qt::NoModifier, QStringLiteral(" ")));
        // A button acts as its key comes up, a finger's moment later.
        QTimer::singleShot(keyDownMs, button, [&released, button] {
            released = Clock::now();
            QCoreApplication::postEvent(button, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space,
                                                              Qt::NoModifier, QStringLiteral(" ")));
        });
    };
    QTimer presses;
    presses.setTimerType(Qt::PreciseTimer);
    QObject::connect(&presses, &QTimer::timeout, press);
    presses.start(pressEveryMs);
    const auto run = [](int ms) {
        QDeadlineTimer end(ms);
        while (!end.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    };
    run(seconds * 1000);
    presses.stop();
    run(2 * keyDownMs);   // the last key comes up before `released` goes
    latency.presses -= 1; // the last one is not timed
    QObject::disconnect(written);
    latency.wire = spread(std::move(times));
    latency.written = spread(std::move(writtenTimes));
    return latency;
}

void print(const char *what, const Latency &latency)
{
    std::printf("  %-34s %4d presses  median %5.2f ms  worst %5.2f ms (goal: at most 2)%s\n", what,
                latency.presses, latency.wire.medianMs, latency.wire.worstMs,
                latency.unanswered > 0 ? "  some never reached the wire" : "");
    std::printf("  %-34s written by the console: median %5.2f ms  worst %5.2f ms\n", "",
                latency.written.medianMs, latency.written.worstMs);
}

} // namespace

int main(int argc, char *argv[])
{
    const RuntimeDirectory runtime;
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    setApplicationIdentity();
    QApplication application(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption secondsOption(QStringLiteral("seconds"),
                                           QStringLiteral("Streams this long (default 40)."),
                                           QStringLiteral("N"), QStringLiteral("40"));
    parser.addOption(secondsOption);
    parser.addHelpOption();
    parser.process(application);
    const int seconds = qMax(2, parser.value(secondsOption).toInt());

    PseudoTerminal line;
    if (!line.isValid()) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(line.errorString()));
        return 1;
    }
    MainWindow window;
    auto *players = window.findChild<QComboBox *>(QStringLiteral("comboBox_Player"));
    players->setCurrentIndex(players->findText(QString::fromLatin1(model)));
    emit players->activated(players->currentIndex());
    auto *ports = window.findChild<QComboBox *>(QStringLiteral("comboBox_Port"));
    ports->addItem(line.slaveName());
    ports->setCurrentIndex(ports->count() - 1);
    window.findChild<QRadioButton *>(QStringLiteral("radioButton_Data_Hex"))->setChecked(true);
    window.show();
    window.findChild<QPushButton *>(QStringLiteral("pushButton_Connect"))->click();
    auto *link = window.findChild<DeviceLink *>();
    QDeadlineTimer opening(5000);
    while (link->state() != DeviceLink::State::Open && !opening.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    auto *play = window.findChild<QPushButton *>(QStringLiteral("pushButton_Play"));
    if (link->state() != DeviceLink::State::Open || !play->isVisible() || !play->isEnabled()) {
        std::fprintf(stderr, "could not open the pseudo-terminal as %s's serial port\n", model);
        return 1;
    }
    play->setFocus();

    // The first press draws the pressed button for the first time: it is not what is measured.
    {
        Device warmUp(line.masterDescriptor(), 0);
        pressKeys(play, link, warmUp, 1);
    }
    std::printf("Key to wire: Space on the Play button every %d ms, the frame's first byte timed "
                "at the device\n",
                pressEveryMs);
    {
        Device idle(line.masterDescriptor(), 0);
        print("idle, 5 s:", pressKeys(play, link, idle, 5));
    }
    Device streaming(line.masterDescriptor(), lineRate);
    print(
        qPrintable(QStringLiteral("streaming %1 bytes/s in hex, %2 s:").arg(lineRate).arg(seconds)),
        pressKeys(play, link, streaming, seconds));
    if (!streaming.servedFirst())
        std::printf("  the device's thread could not be served first: its waits are timed too\n");
    return 0;
}
