// The port list that follows the machine: CPU while nothing changes (the watcher must cost
// nothing then), the time to read the list again, and how soon a new device is listed.

#include "app/mainwindow.h"
#include "bench/runtimedirectory.h"
#include "connection/serialportlist.h"
#include "connection/serialports.h"
#include "startup/applicationidentity.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int idleMs = 5000;
constexpr int refreshes = 100;

// User and system CPU time of the process.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double idleCpuMs()
{
    QEventLoop loop;
    QTimer::singleShot(idleMs, &loop, &QEventLoop::quit);
    const double before = cpuMs();
    loop.exec();
    return cpuMs() - before;
}

} // namespace

int main(int argc, char *argv[])
{
    const RuntimeDirectory runtime;
    QApplication application(argc, argv);
    setApplicationIdentity();
    qputenv("XDG_DATA_HOME", "/dev/null");

    const double bare = idleCpuMs();
    std::printf("idle %d s, event loop alone:           %6.1f ms CPU\n", idleMs / 1000, bare);

    // The system's own directories first: what a technician's console watches.
    {
        MainWindow window;
        // The port list is read once the window has started, not while it idles.
        QElapsedTimer started;
        started.start();
        while (started.elapsed() < 500)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const double watched = idleCpuMs();
        std::printf("idle %d s, window watching /dev:       %6.1f ms CPU\n", idleMs / 1000,
                    watched);
        auto *list = window.findChild<SerialPortList *>();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < refreshes; ++i)
            list->refresh();
        std::printf("reading the port list again:           %6.2f ms\n",
                    double(timer.nsecsElapsed()) / 1e6 / refreshes);
    }

    QTemporaryDir devices;
    ConsoleEnvironment environment = systemEnvironment();
    environment.serialDirectories = {devices.path(), devices.path()};
    MainWindow window(std::move(environment));
    auto *ports = window.findChild<QComboBox *>(QStringLiteral("comboBox_Port"));
    const QString link = devices.filePath(QStringLiteral("usb-Bench_Adapter"));
    QElapsedTimer timer;
    timer.start();
    QFile::link(QStringLiteral("/dev/null"), link);
    while (ports->findText(link) < 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    std::printf("a device appearing is listed after:    %6lld ms\n", timer.elapsed());
    return 0;
}
