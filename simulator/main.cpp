#include "catalogue/playercatalogue.h"
#include "simulator/commandline.h"
#include "simulator/pseudoterminalline.h"
#include "simulator/quitonsignals.h"
#include "simulator/serialdeviceline.h"
#include "simulator/simulateddevice.h"
#include "simulator/tcpdeviceserver.h"
#include "simulator/transcript.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace {

// The device could not be reached or set up: the port is taken, the device cannot be opened.
const int setUpFailure = 1;

int fail(const QString &message)
{
    std::fputs((QCoreApplication::applicationName() + QStringLiteral(": ") + message + '\n')
                   .toUtf8()
                   .constData(),
               stderr);
    return setUpFailure;
}

// Opens the line that the model is reached by and prints where it is: its first line of
// output, which scripts wait for. Nothing, with the reason in `error`, when it cannot.
std::unique_ptr<QObject> openLine(const PlayerModel &model, const SimulatorOptions &options,
                                  SimulatedDevice &device, Transcript &transcript, QString &error)
{
    if (model.isTcp()) {
        auto server = std::make_unique<TcpDeviceServer>(device, transcript);
        const quint16 port = options.port != 0 ? options.port : model.tcpPort;
        if (!server->listen(port, error)) {
            error = QStringLiteral("cannot listen on 127.0.0.1:%1: %2").arg(port).arg(error);
            return nullptr;
        }
        transcript.line(QStringLiteral("listening on 127.0.0.1:%1").arg(port));
        return server;
    }
    if (options.device.isEmpty()) {
        auto terminal = std::make_unique<PseudoTerminalLine>(device, transcript);
        if (!terminal->open(error)) {
            error = QStringLiteral("cannot open a pseudo-terminal: ") + error;
            return nullptr;
        }
        transcript.line(QStringLiteral("serial port: ") + terminal->slavePath());
        return terminal;
    }
    auto serial = std::make_unique<SerialDeviceLine>(device, transcript);
    const int baudRate = options.baudRate > 0 ? options.baudRate : model.defaultBaudRate;
    if (!serial->open(options.device, baudRate, error)) {
        error = QStringLiteral("cannot open %1: %2").arg(options.device, error);
        return nullptr;
    }
    transcript.line(QStringLiteral("serial port: ") + options.device);
    transcript.event(QStringLiteral("%1 bit/s, 8N1").arg(baudRate));
    QObject::connect(serial.get(), &SerialDeviceLine::lost, [&transcript](const QString &reason) {
        transcript.event(QStringLiteral("serial port lost: ") + reason);
        QCoreApplication::exit(setUpFailure);
    });
    return serial;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zoxen-device-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.7.0"));

    const PlayerCatalogueList catalogue = buildCatalogueModels();
    const CommandLine commandLine = readCommandLine(QCoreApplication::arguments(), catalogue);
    if (commandLine.exitStatus)
        return *commandLine.exitStatus;
    const SimulatorOptions &options = commandLine.options;
    const PlayerModel &model = catalogue.at(options.modelIndex);

    Transcript transcript;
    SimulatedDevice device(model);
    QuitOnSignals signalWatcher;
    if (!signalWatcher.install())
        return fail(QStringLiteral("cannot watch for Ctrl+C"));
    QObject::connect(&signalWatcher, &QuitOnSignals::received,
                     [&transcript](int) { transcript.event(QStringLiteral("stopped")); });

    QString error;
    const std::unique_ptr<QObject> line = openLine(model, options, device, transcript, error);
    if (!line)
        return fail(error);
    transcript.event(QStringLiteral("playing \"%1\", player id %2; Ctrl+C stops")
                         .arg(model.name)
                         .arg(device.state().playerId));
    return QCoreApplication::exec();
}
