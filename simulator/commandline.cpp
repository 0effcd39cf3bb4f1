#include "simulator/commandline.h"

#include "connection/linksettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

const int usageError = 2;

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

CommandLine failure(const QString &message)
{
    print(stderr, QCoreApplication::applicationName() + QStringLiteral(": ") + message + '\n');
    return {{}, usageError};
}

CommandLine answered(const QString &text)
{
    print(stdout, text);
    return {{}, 0};
}

int modelIndex(const PlayerCatalogueList &catalogue, const QString &name)
{
    for (int index = 0; index < catalogue.size(); ++index) {
        if (catalogue.at(index).name == name)
            return index;
    }
    return -1;
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments, const PlayerCatalogueList &catalogue)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays the device side of a catalogue model for the console: prints one line for each\n"
        "frame received (undecodable bytes in hexadecimal) and answers requests. Serial models\n"
        "get a new pseudo-terminal, whose path is printed first, unless --device is given;\n"
        "TCP/IP models listen on 127.0.0.1. Ctrl+C stops it."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption listOption(QStringList{"l", "list"},
                                        QStringLiteral("Lists the models' names and exits."));
    const QCommandLineOption portOption(
        QStringList{"p", "port"},
        QStringLiteral("TCP/IP models: the port to listen on instead of the model's."),
        QStringLiteral("port"));
    const QCommandLineOption deviceOption(
        QStringList{"d", "device"},
        QStringLiteral("Serial models: the serial device to open instead of a pseudo-terminal."),
        QStringLiteral("path"));
    const QCommandLineOption baudOption(
        QStringList{"b", "baud"},
        QStringLiteral("With --device: the baud rate, 1200 to 115200 (the model's default "
                       "otherwise)."),
        QStringLiteral("rate"));
    parser.addOptions({listOption, portOption, deviceOption, baudOption});
    parser.addPositionalArgument(QStringLiteral("model"),
                                 QStringLiteral("The model's exact name in the catalogue."),
                                 QStringLiteral("\"<model>\""));

    if (!parser.parse(arguments))
        return failure(parser.errorText());
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all")))
        return answered(parser.helpText());
    if (parser.isSet(versionOption)) {
        return answered(QCoreApplication::applicationName() + ' ' +
                        QCoreApplication::applicationVersion() + '\n');
    }
    if (parser.isSet(listOption)) {
        QString names;
        for (const PlayerModel &model : catalogue)
            names += model.name + '\n';
        return answered(names);
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return failure(QStringLiteral("give one model name, in quotes (--list shows them)"));
    CommandLine result;
    SimulatorOptions &options = result.options;
    options.modelIndex = modelIndex(catalogue, positional.first());
    if (options.modelIndex < 0) {
        return failure(QStringLiteral("no model is named \"%1\" (--list shows the names)")
                           .arg(positional.first()));
    }
    const PlayerModel &model = catalogue.at(options.modelIndex);

    if (parser.isSet(portOption)) {
        if (!model.isTcp())
            return failure(QStringLiteral("--port is for TCP/IP models; use --device"));
        bool ok = false;
        const uint port = parser.value(portOption).toUInt(&ok);
        if (!ok || port == 0 || port > 65535)
            return failure(QStringLiteral("--port takes a number from 1 to 65535"));
        options.port = static_cast<quint16>(port);
    }
    if (model.isTcp() && (parser.isSet(deviceOption) || parser.isSet(baudOption)))
        return failure(QStringLiteral("--device and --baud are for serial models; use --port"));
    if (parser.isSet(baudOption) && !parser.isSet(deviceOption))
        return failure(QStringLiteral("--baud goes with --device"));
    options.device = parser.value(deviceOption);
    if (parser.isSet(baudOption)) {
        options.baudRate = acceptedBaudRate(parser.value(baudOption).toInt());
        if (options.baudRate < 0) {
            return failure(QStringLiteral("--baud takes 1200, 2400, 4800, 9600, 19200, 38400, "
                                          "57600 or 115200"));
        }
    }
    return result;
}
