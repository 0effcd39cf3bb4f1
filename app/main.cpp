#include "app/mainwindow.h"
#include "startup/applicationidentity.h"
#include "startup/highdensity.h"
#include "startup/quitonsignals.h"
#include "startup/skipopengl.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    setApplicationIdentity();
    enableHighDensityScreens();
    skipOpenGlDrivers();

    QApplication application(argc, argv);
    // The window saves its settings when it is destroyed, after the event loop: a signal that
    // ends the process must end the loop instead.
    QuitOnSignals signalWatcher;
    signalWatcher.install();
    int result = 0;
    {
        MainWindow window;
        window.show();
        result = application.exec();
    }
    return result;
}
