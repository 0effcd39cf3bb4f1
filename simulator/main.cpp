#include "simulator/commandline.h"
#include "simulator/devicelinks.h"
#include "simulator/simulateddevice.h"
#include "simulator/transcript.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const int savedErrno = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

// Ends the event loop on SIGINT (Ctrl+C) or SIGTERM. The handler only writes to a pipe that the
// loop reads, so that nothing but write() runs inside the handler.
bool quitOnSignals()
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    auto *notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte = 0;
        if (::read(signalPipe[0], &byte, 1) == 1) {
            printEvent(QStringLiteral("stopped"));
            QCoreApplication::quit();
        }
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0;
}

std::unique_ptr<QObject> openLine(const SimulatorOptions &options, SimulatedDevice &device,
                                  QString &error)
{
    const PlayerModel &model = options.model;
    if (model.isTcp())
        return listenOnLoopback(device, options.port ? options.port : model.tcpPort, error);
    if (options.device.isEmpty())
        return openPseudoTerminal(device, error);
    return openSerialPort(device, options.device,
                          options.baudRate > 0 ? options.baudRate : model.defaultBaudRate, error);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zoxen-device-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.7.0"));
    const SimulatorOptions options = readCommandLine(buildCatalogueModels());

    SimulatedDevice device(options.model);
    QString error = quitOnSignals() ? QString() : QStringLiteral("cannot watch for Ctrl+C");
    const std::unique_ptr<QObject> line =
        error.isEmpty() ? openLine(options, device, error) : nullptr;
    if (!line) {
        printError(error);
        return setUpFailure;
    }
    printEvent(QStringLiteral("playing \"%1\", player id %2; Ctrl+C stops")
                   .arg(options.model.name)
                   .arg(device.playerId()));
    return QCoreApplication::exec();
}
