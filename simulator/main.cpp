#include "simulator/commandline.h"
#include "simulator/devicelinks.h"
#include "simulator/simulateddevice.h"
#include "simulator/transcript.h"
#include "startup/applicationidentity.h"
#include "startup/quitonsignals.h"

#include <QCoreApplication>

namespace {

std::unique_ptr<QObject> openLine(const SimulatorOptions &options, SimulatedDevice &device,
                                  QString &error)
{
    const PlayerModel &model = options.model;
    if (model.isTcp())
        return listenOnLoopback(device, options.address,
                                options.port ? options.port : model.tcpPort, error);
    if (options.device.isEmpty())
        return openPseudoTerminal(device, error);
    return openSerialPort(device, options.device,
                          options.baudRate > 0 ? options.baudRate : model.defaultBaudRate, error);
}

} // namespace

int main(int argc, char *argv[])
{
    setApplicationIdentity(QStringLiteral("zoxen-device-sim"));
    QCoreApplication application(argc, argv);
    const SimulatorOptions options = readCommandLine(buildCatalogueModels());

    SimulatedDevice device(options.model);
    QuitOnSignals signalWatcher;
    QObject::connect(&signalWatcher, &QuitOnSignals::received,
                     [] { printEvent(QStringLiteral("stopped")); });
    QString error = signalWatcher.install() ? QString() : QStringLiteral("cannot watch for Ctrl+C");
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
