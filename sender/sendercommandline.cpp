#include "sender/sendercommandline.h"
#include "connection/linksettings.h"
#include "players/playersfile.h"
#include "recording/sessionlines.h"
#include "sender/commandnames.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int defaultWaitMs = 500;

struct Options
{
    QCommandLineOption model{QStringLiteral("model"),
                             QStringLiteral("The player's model, as --list names it."),
                             QStringLiteral("model")};
    QCommandLineOption list{QStringLiteral("list"), QStringLiteral("List the models.")};
    QCommandLineOption commands{
        QStringLiteral("commands"),
        QStringLiteral("List the commands of a model, with the range of each parameter."),
        QStringLiteral("model")};
    QCommandLineOption host{QStringLiteral("host"),
                            QStringLiteral("A TCP/IP player's address, four decimal numbers such "
                                           "as 192.168.1.20; give it once per player to send to "
                                           "many at once."),
                            QStringLiteral("address")};
    QCommandLineOption hostsFile{QStringLiteral("hosts-file"),
                                 QStringLiteral("Read more addresses from a UTF-8 text file, one "
                                                "a line (blank lines and lines starting with # "
                                                "aside); may be given more than once."),
                                 QStringLiteral("file")};
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("The players' TCP port, when not the model's own."),
                            QStringLiteral("port")};
    QCommandLineOption device{QStringLiteral("device"),
                              QStringLiteral("A serial player's device, such as /dev/ttyUSB0."),
                              QStringLiteral("device")};
    QCommandLineOption baud{QStringLiteral("baud"),
                            QStringLiteral("The serial baud rate; the model's default if not "
                                           "given."),
                            QStringLiteral("rate")};
    QCommandLineOption id{QStringLiteral("id"),
                          QStringLiteral("The player ID, as the window lists them (default: "
                                         "the model's lowest)."),
                          QStringLiteral("id")};
    QCommandLineOption wait{QStringLiteral("wait"),
                            QStringLiteral("How long to collect the answer after sending, in "
                                           "milliseconds (default: %1).")
                                .arg(defaultWaitMs),
                            QStringLiteral("ms")};
    QCommandLineOption sequence{
        QStringLiteral("sequence"),
        QStringLiteral("Run a sequence file on every player instead of one command (- reads "
                       "standard input); --wait bounds each wait for an expected answer."),
        QStringLiteral("file")};
    QCommandLineOption decimal{QStringLiteral("decimal"),
                               QStringLiteral("Show bytes in decimal instead of hexadecimal.")};
    QCommandLineOption players{
        QStringLiteral("players"),
        QStringLiteral("The players file to take --player and --all-players from (default: the "
                       "console's saved players)."),
        QStringLiteral("file")};
    QCommandLineOption player{
        QStringLiteral("player"),
        QStringLiteral("A saved player, by its name, instead of --model and its links; give it "
                       "once per player."),
        QStringLiteral("name")};
    QCommandLineOption allPlayers{QStringLiteral("all-players"),
                                  QStringLiteral("Every saved player.")};
    QCommandLineOption check{
        QStringLiteral("check"),
        QStringLiteral("Instead of a command, ask each player how it is (its model's status "
                       "request; a model without one, whether its link opens) and print a line "
                       "per player: its name or address, its state (answers, refused, no "
                       "answer, not present), the round trip and the answer's first line, "
                       "separated by tabs. Exit status 0 when every player answers.")};
};

SenderCommandLine usageError(const QString &message)
{
    SenderCommandLine answer;
    answer.exitStatus = SendStatus::usageError;
    answer.error = message;
    return answer;
}

SenderCommandLine printed(const QString &output)
{
    SenderCommandLine answer;
    answer.output = output;
    return answer;
}

QString modelNames(const PlayerCatalogueList &catalogue)
{
    QStringList names;
    for (const PlayerModel &model : catalogue)
        names.append(model.name);
    return names.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

int modelIndex(const PlayerCatalogueList &catalogue, const QString &name)
{
    for (int i = 0; i < catalogue.size(); ++i) {
        if (catalogue.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString unknownModel(const QString &name, const PlayerCatalogueList &catalogue)
{
    QStringList quoted;
    for (const PlayerModel &model : catalogue)
        quoted.append(QLatin1Char('"') + model.name + QLatin1Char('"'));
    return QStringLiteral("unknown model \"%1\"; the models: %2")
        .arg(name, quoted.join(QStringLiteral(", ")));
}

// A whole decimal number within first..last, or nothing.
std::optional<int> numberIn(const QString &text, int first, int last)
{
    const auto value = decimalNumber(text);
    if (!value || *value < first || *value > last)
        return std::nullopt;
    return value;
}

// Options of which one value counts: given twice, which one was meant is unknown.
QString givenTwice(const QCommandLineParser &parser, const Options &options)
{
    for (const QCommandLineOption *option :
         {&options.model, &options.commands, &options.port, &options.device, &options.baud,
          &options.id, &options.wait, &options.sequence, &options.players}) {
        if (parser.values(*option).size() > 1)
            return QStringLiteral("--%1 is given more than once; give it once")
                .arg(option->names().constFirst());
    }
    return QString();
}

QString readHostsFile(const QString &path, SendRequest &request)
{
    const auto [content, error] = readTextFile(path, QStringLiteral("a text file of addresses"));
    if (!error.isEmpty())
        return error;
    return request.hosts.addLines(content, path);
}

// The link options that fit the model: addresses for TCP/IP, a device and its rate for serial.
QString readLink(const QCommandLineParser &parser, const Options &options, const PlayerModel &model,
                 SendRequest &request)
{
    if (model.isTcp()) {
        if (parser.isSet(options.device) || parser.isSet(options.baud))
            return QStringLiteral("%1 is a TCP/IP model: give --host, not --device or --baud")
                .arg(model.name);
        const QStringList typed = parser.values(options.host);
        for (const QString &host : typed) {
            const QString error = request.hosts.add(host.toUtf8());
            if (!error.isEmpty())
                return error;
        }
        const QStringList files = parser.values(options.hostsFile);
        for (const QString &path : files) {
            const QString error = readHostsFile(path, request);
            if (!error.isEmpty())
                return error;
        }
        if (request.hosts.hosts.isEmpty())
            return QStringLiteral("%1 is a TCP/IP model: give --host or --hosts-file")
                .arg(model.name);
        request.port = model.tcpPort;
        if (parser.isSet(options.port)) {
            const auto port = numberIn(parser.value(options.port), 1, 65535);
            if (!port)
                return QStringLiteral("--port takes 1 to 65535");
            request.port = quint16(*port);
        }
        return QString();
    }
    if (parser.isSet(options.host) || parser.isSet(options.hostsFile) || parser.isSet(options.port))
        return QStringLiteral("%1 is a serial model: give --device (and --baud), not --host")
            .arg(model.name);
    request.device = parser.value(options.device);
    if (request.device.isEmpty())
        return QStringLiteral("%1 is a serial model: give --device").arg(model.name);
    request.baudRate = model.defaultBaudRate;
    if (parser.isSet(options.baud)) {
        request.baudRate = decimalNumber(parser.value(options.baud)).value_or(-1);
        if (!model.baudRates.contains(request.baudRate)) {
            QStringList rates;
            for (qint32 rate : model.baudRates)
                rates.append(QString::number(rate));
            return QStringLiteral("%1 takes the baud rates %2")
                .arg(model.name, rates.join(QStringLiteral(", ")));
        }
    }
    return QString();
}

// The ID of --id, or the model's lowest: the window lists them from lowest to highest and
// selects the first.
QString readId(const QCommandLineParser &parser, const Options &options, const PlayerModel &model,
               SendRequest &request)
{
    int id = model.minId;
    if (parser.isSet(options.id)) {
        const auto chosen = numberIn(parser.value(options.id), model.minId, model.maxId);
        if (!chosen && model.minId == model.maxId)
            return QStringLiteral("%1 takes no player ID: leave out --id").arg(model.name);
        if (!chosen)
            return QStringLiteral("%1 takes the player IDs %2 to %3")
                .arg(model.name)
                .arg(model.minId)
                .arg(model.maxId);
        id = *chosen;
    }
    request.idByte = idByteFor(QString::number(id), true);
    return QString();
}

// The command, the sequence or the check, for each model the players are of; a sequence from
// standard input is read once for all of them.
QString readSending(const QCommandLineParser &parser, const Options &options,
                    const PlayerCatalogueList &catalogue, const QVector<int> &models,
                    SendRequest &request)
{
    request.waitMs = defaultWaitMs;
    if (parser.isSet(options.wait)) {
        const auto wait = numberIn(parser.value(options.wait), 0, 3600 * 1000);
        if (!wait)
            return QStringLiteral("--wait takes 0 to 3600000 milliseconds");
        request.waitMs = *wait;
    }
    request.decimal = parser.isSet(options.decimal);

    const QString typed = parser.positionalArguments().join(QLatin1Char(' '));
    request.check = parser.isSet(options.check);
    request.sequence = parser.isSet(options.sequence);
    if (request.check && (request.sequence || !typed.trimmed().isEmpty()))
        return QStringLiteral("give a command, --sequence or --check, not two of them");
    if (request.check)
        return QString();
    if (request.sequence && !typed.trimmed().isEmpty())
        return QStringLiteral("give a command or --sequence, not both");
    QByteArray sequence;
    const QString path = parser.value(options.sequence);
    if (request.sequence) {
        const auto [content, error] = readTextFile(path, QStringLiteral("a sequence file"));
        if (!error.isEmpty())
            return error;
        sequence = content;
    }
    for (const int index : models) {
        const PlayerModel &model = catalogue.at(index);
        if (request.sequence) {
            // Every step checked for the model before anything is sent to anyone.
            Sequence read = readSequence(sequence, model);
            if (!read.error.isEmpty())
                return QStringLiteral("%1, %2").arg(
                    path == QLatin1String("-") ? QStringLiteral("stdin") : path, read.error);
            request.sequenceOf.insert(index, std::move(read.steps));
            continue;
        }
        if (typed.trimmed().isEmpty())
            return QStringLiteral("no command given; %1 takes %2")
                .arg(model.name, commandUsages(model).join(QStringLiteral(", ")));
        const ResolvedCommand resolved = resolveCommand(model, typed);
        if (!resolved.control)
            return resolved.error;
        request.controlOf.insert(index, *resolved.control);
    }
    return QString();
}

// Saved players bring their model, link and ID; each is named once.
QString readSavedPlayers(const QCommandLineParser &parser, const Options &options,
                         const PlayerCatalogueList &catalogue, const QString &defaultFile,
                         SenderCommandLine &answer)
{
    for (const QCommandLineOption *option :
         {&options.model, &options.host, &options.hostsFile, &options.port, &options.device,
          &options.baud, &options.id}) {
        if (parser.isSet(*option))
            return QStringLiteral("saved players bring their own model, link and ID: leave out "
                                  "--%1")
                .arg(option->names().constFirst());
    }
    const bool all = parser.isSet(options.allPlayers);
    if (all == parser.isSet(options.player))
        return QStringLiteral("give --player NAME or --all-players");
    const QString path =
        parser.isSet(options.players) ? parser.value(options.players) : defaultFile;
    if (!QFileInfo::exists(path))
        return QStringLiteral("%1: no such players file").arg(path);
    const SavedPlayers saved = readPlayersFile(path, catalogue);
    for (const QString &problem : saved.problems)
        answer.warnings.append(QStringLiteral("%1, %2 (left out)").arg(path, problem));
    QVector<SavedPlayer> chosen = all ? saved.players : QVector<SavedPlayer>();
    for (const QString &name : parser.values(options.player)) {
        const auto found = std::find_if(saved.players.cbegin(), saved.players.cend(),
                                        [&name](const SavedPlayer &p) { return p.name == name; });
        if (found == saved.players.cend())
            return QStringLiteral("%1 holds no player named \"%2\"").arg(path, name);
        if (!chosen.contains(*found))
            chosen.append(*found);
    }
    if (chosen.isEmpty())
        return QStringLiteral("%1 holds no players").arg(path);
    for (const SavedPlayer &player : qAsConst(chosen))
        answer.request->players.append({player.name, *playerLink(player, catalogue)});
    return QString();
}

} // namespace

SenderCommandLine readSenderCommandLine(const QStringList &arguments,
                                        const PlayerCatalogueList &catalogue,
                                        const QString &savedPlayers)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sends one command, runs a sequence or checks how they are, on one or more players, "
        "serial or TCP/IP, as the console's window would; prints the frame sent (when it is the "
        "same for all) and what each player answers. Exit status: 0 when every player got the "
        "frame, completed the sequence or answered the check, 1 when one did not or a signal "
        "ended the sending, 2 for a usage or file error (nothing sent to anyone)."));
    const Options options;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({options.model, options.list, options.commands, options.host,
                       options.hostsFile, options.port, options.device, options.baud, options.id,
                       options.wait, options.sequence, options.decimal, options.players,
                       options.player, options.allPlayers, options.check});
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("The command, as --commands lists it, with its parameters: Play, "
                       "\"Folder 130\", \"Volume 40\", \"Player Status\"."),
        QStringLiteral("command"));

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help))
        return printed(parser.helpText());
    if (parser.isSet(version))
        return printed(QCoreApplication::applicationName() + QLatin1Char(' ') +
                       QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    if (const QString twice = givenTwice(parser, options); !twice.isEmpty())
        return usageError(twice);
    if (parser.isSet(options.list))
        return printed(modelNames(catalogue));
    if (parser.isSet(options.commands)) {
        const int index = modelIndex(catalogue, parser.value(options.commands));
        if (index < 0)
            return usageError(unknownModel(parser.value(options.commands), catalogue));
        return printed(commandUsages(catalogue.at(index)).join(QLatin1Char('\n')) +
                       QLatin1Char('\n'));
    }
    SenderCommandLine answer;
    answer.request.emplace();
    SendRequest &request = *answer.request;
    QVector<int> models;
    QString error;
    if (parser.isSet(options.player) || parser.isSet(options.allPlayers) ||
        parser.isSet(options.players)) {
        error = readSavedPlayers(parser, options, catalogue, savedPlayers, answer);
        for (const RequestedPlayer &player : qAsConst(request.players)) {
            if (!models.contains(player.link.modelIndex))
                models.append(player.link.modelIndex);
        }
    } else if (!parser.isSet(options.model)) {
        return usageError(
            QStringLiteral("give --model (see --list), or --player or --all-players"));
    } else {
        request.modelIndex = modelIndex(catalogue, parser.value(options.model));
        if (request.modelIndex < 0)
            return usageError(unknownModel(parser.value(options.model), catalogue));
        const PlayerModel &model = catalogue.at(request.modelIndex);
        models.append(request.modelIndex);
        error = readLink(parser, options, model, request);
        if (error.isEmpty())
            error = readId(parser, options, model, request);
    }
    if (error.isEmpty())
        error = readSending(parser, options, catalogue, models, request);
    if (!error.isEmpty())
        return usageError(error);
    return answer;
}
