#include "simulator/commandline.h"

#include "connection/linksettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void usageError(const QString &message)
{
    printError(message);
    std::exit(2);
}

} // namespace

void printError(const QString &message)
{
    std::fputs((QCoreApplication::applicationName() + QStringLiteral(": ") + message + '\n')
                   .toUtf8()
                   .constData(),
               stderr);
}

SimulatorOptions readCommandLine(const PlayerCatalogueList &catalogue)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays the device side of a catalogue model for the console: prints one line for each\n"
        "frame received (undecodable bytes in hexadecimal) and answers requests. Serial models\n"
        "get a new pseudo-terminal, whose path is printed first, unless --device is given;\n"
        "TCP/IP models listen on 127.0.0.1 unless --address is given. Ctrl+C stops it."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption list(QStringList{"l", "list"},
                                  QStringLiteral("Lists the models' names and exits."));
    const QCommandLineOption port(
        QStringList{"p", "port"},
        QStringLiteral("TCP/IP models: the port to listen on instead of the model's."),
        QStringLiteral("port"));
    const QCommandLineOption address(
        QStringList{"a", "address"},
        QStringLiteral("TCP/IP models: the loopback address to listen on, 127.0.0.1 to "
                       "127.255.255.254."),
        QStringLiteral("a.b.c.d"));
    const QCommandLineOption device(
        QStringList{"d", "device"},
        QStringLiteral("Serial models: the serial device to open instead of a pseudo-terminal."),
        QStringLiteral("path"));
    const QCommandLineOption baud(
        QStringList{"b", "baud"},
        QStringLiteral("With --device: the baud rate, 1200 to 115200 (the model's default "
                       "otherwise)."),
        QStringLiteral("rate"));
    parser.addOptions({list, address, port, device, baud});
    parser.addPositionalArgument(QStringLiteral("model"),
                                 QStringLiteral("The model's exact name in the catalogue."),
                                 QStringLiteral("\"<model>\""));

    if (!parser.parse(QCoreApplication::arguments()))
        usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp();
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (parser.isSet(list)) {
        for (const PlayerModel &model : catalogue)
            std::fputs((model.name + '\n').toUtf8().constData(), stdout);
        std::exit(0);
    }

    const QStringList names = parser.positionalArguments();
    if (names.size() != 1)
        usageError(QStringLiteral("give one model name, in quotes (--list shows them)"));
    const auto model =
        std::find_if(catalogue.begin(), catalogue.end(),
                     [&](const PlayerModel &entry) { return entry.name == names[0]; });
    if (model == catalogue.end())
        usageError(
            QStringLiteral("no model is named \"%1\" (--list shows the names)").arg(names[0]));
    SimulatorOptions options;
    options.model = *model;
    options.device = parser.value(device);

    if (parser.isSet(port)) {
        if (!model->isTcp())
            usageError(QStringLiteral("--port is for TCP/IP models; use --device"));
        const uint number = parser.value(port).toUInt();
        if (number == 0 || number > 65535)
            usageError(QStringLiteral("--port takes a number from 1 to 65535"));
        options.port = static_cast<quint16>(number);
    }
    if (parser.isSet(address)) {
        if (!model->isTcp())
            usageError(QStringLiteral("--address is for TCP/IP models; use --device"));
        // Never a place that other machines reach.
        const QHostAddress given(parser.value(address));
        if (given.protocol() != QAbstractSocket::IPv4Protocol || !given.isLoopback() ||
            given.toIPv4Address() == 0x7FFFFFFF)
            usageError(QStringLiteral("--address takes a loopback address, 127.0.0.1 to "
                                      "127.255.255.254"));
        options.address = given;
    }
    if (model->isTcp() && (parser.isSet(device) || parser.isSet(baud)))
        usageError(QStringLiteral("--device and --baud are for serial models; use --port"));
    if (parser.isSet(baud) && !parser.isSet(device))
        usageError(QStringLiteral("--baud goes with --device"));
    if (parser.isSet(baud)) {
        options.baudRate = acceptedBaudRate(parser.value(baud).toInt());
        if (options.baudRate < 0)
            usageError(QStringLiteral("--baud takes 1200, 2400, 4800, 9600, 19200, 38400, "
                                      "57600 or 115200"));
    }
    return options;
}
