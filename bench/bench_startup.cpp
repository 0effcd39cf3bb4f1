// Start-up cost of the console against a bare Qt window, and the cost of applying each model.
// Run without arguments; it starts itself as a child for each measured process.

#include "app/mainwindow.h"
#include "startup/applicationidentity.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

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

// The child: what main() does, but the event loop ends as soon as the window is shown.
int runChild(int argc, char *argv[], bool console)
{
    setApplicationIdentity();
    QApplication application(argc, argv);
    QScopedPointer<QMainWindow> window(console ? new MainWindow : new QMainWindow);
    window->show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return application.exec();
}

double medianProcessMs(const QString &kind, const QProcessEnvironment &environment)
{
    QVector<double> times;
    for (int run = 0; run < processRuns; ++run) {
        QProcess child;
        child.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), kind});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            std::fprintf(stderr, "child %s failed\n", qPrintable(kind));
            return -1;
        }
        times.append(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
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
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, qstrcmp(argv[2], "console") == 0);

    QApplication application(argc, argv);
    setApplicationIdentity();

    // A private data directory, so that no saved configuration of the user is read.
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());

    const double bare = medianProcessMs(QStringLiteral("bare"), environment);
    const double console = medianProcessMs(QStringLiteral("console"), environment);
    std::printf("Start to window shown, median of %d processes (platform %s):\n", processRuns,
                qPrintable(QGuiApplication::platformName()));
    std::printf("  bare QMainWindow  %8.1f ms\n", bare);
    std::printf("  zoxen-console     %8.1f ms\n", console);
    std::printf("  ratio             %8.2f (goal: at most 1.2)\n", console / bare);
    measureApply();
    return 0;
}
