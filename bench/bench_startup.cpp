// Start-up cost of the console against a bare Qt window, and the cost of applying each model.
// Run without arguments; it starts itself as a child for each measured process.

#include "app/mainwindow.h"
#include "bench/runtimedirectory.h"
#include "startup/afterfirstpaint.h"
#include "startup/applicationidentity.h"
#include "startup/highdensity.h"
#include "startup/skipopengl.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int processRuns = 15;
constexpr int applyRuns = 30;

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const int middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle)
                             : (values.at(middle - 1) + values.at(middle)) / 2.0;
}

// The child: a bare window, as Qt starts one or with the console's choice of platform, or the
// console as main() starts it; once the window has first been drawn it says so on its standard
// output and the event loop ends.
int runChild(int argc, char *argv[], const QByteArray &kind)
{
    setApplicationIdentity();
    if (kind == "console")
        enableHighDensityScreens();
    if (kind != "bare")
        skipOpenGlDrivers();
    QApplication application(argc, argv);
    QScopedPointer<QMainWindow> window(kind == "console" ? new MainWindow : new QMainWindow);
    afterFirstPaint(window.data(), &application, [&application] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        application.quit();
    });
    window->show();
    return application.exec();
}

struct StartUp
{
    double shownMs = -1;
    double exitedMs = -1;
};

struct StartUps
{
    QVector<double> shownMs, exitedMs;

    void add(const StartUp &times)
    {
        shownMs.append(times.shownMs);
        exitedMs.append(times.exitedMs);
    }
    void print(const char *label) const
    {
        std::printf("  %-16s  %8.1f ms  %8.1f ms\n", label, median(shownMs), median(exitedMs));
    }
    void printRatio(const char *label, const StartUps &base, const char *goal) const
    {
        std::printf("  %-16s  %8.2f     %8.2f%s\n", label, median(shownMs) / median(base.shownMs),
                    median(exitedMs) / median(base.exitedMs), goal);
    }
};

// One process from its start: until its window is on the screen, and until it has ended.
StartUp startUp(const QString &kind, const QProcessEnvironment &environment)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), kind});
    StartUp times;
    if (child.waitForReadyRead(60000))
        times.shownMs = timer.nsecsElapsed() / 1e6;
    if (!child.waitForFinished(60000) || child.exitCode() != 0 || times.shownMs < 0)
        return {};
    times.exitedMs = timer.nsecsElapsed() / 1e6;
    return times;
}

void measureApply()
{
    MainWindow window;
    window.show();
    QCoreApplication::processEvents();
    auto *players = window.findChild<QComboBox *>(QStringLiteral("comboBox_Player"));
    std::printf("\napplyPlayerModel on the shown window, from another model, with the layout and "
                "the painting it causes, median of %d runs:\n",
                applyRuns);
    double worst = 0;
    for (int index = 0; index < players->count(); ++index) {
        QVector<double> times;
        for (int run = 0; run < applyRuns; ++run) {
            // From another model each time, as a user changes it: run by run, each other one.
            const int previous = (index + 1 + run % (players->count() - 1)) % players->count();
            players->setCurrentIndex(previous);
            emit players->activated(previous);
            QCoreApplication::processEvents();
            players->setCurrentIndex(index);
            QElapsedTimer timer;
            timer.start();
            emit players->activated(index);
            QCoreApplication::processEvents();
            times.append(timer.nsecsElapsed() / 1e6);
        }
        const double ms = median(times);
        worst = std::max(worst, ms);
        std::printf("  %-32s %7.2f ms\n", qPrintable(players->itemText(index)), ms);
    }
    std::printf("slowest model: %.2f ms (goal: at most 4 ms)\n", worst);
}

} // namespace

int main(int argc, char *argv[])
{
    const RuntimeDirectory runtime;
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, argv[2]);

    QApplication application(argc, argv);
    setApplicationIdentity();

    // A private data directory, so that no saved configuration of the user is read.
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());

    // Taken in turns, so that what else the machine does weighs on all alike.
    const QStringList kinds = {QStringLiteral("bare"), QStringLiteral("bare-without-opengl"),
                               QStringLiteral("console")};
    QVector<StartUps> startUps(kinds.size());
    for (int run = 0; run < processRuns; ++run) {
        for (int kind = 0; kind < kinds.size(); ++kind) {
            const StartUp times = startUp(kinds.at(kind), environment);
            if (times.shownMs < 0) {
                std::fprintf(stderr, "a child failed\n");
                return 1;
            }
            startUps[kind].add(times);
        }
    }
    const StartUps &bare = startUps.at(0), &bareWithoutOpenGl = startUps.at(1),
                   &console = startUps.at(2);
    std::printf("Start to window drawn, and to the process's end, median of %d processes each "
                "(platform %s):\n",
                processRuns, qPrintable(QGuiApplication::platformName()));
    bare.print("bare QMainWindow");
    console.print("zoxen-console");
    console.printRatio("ratio", bare, " (goal for the window drawn: at most 1.2)");
    // What the console's own window costs, the GL drivers left out of both.
    bareWithoutOpenGl.print("bare, without GL");
    console.printRatio("ratio to it", bareWithoutOpenGl, "");
    measureApply();
    return 0;
}
