#include "catalogue/playercatalogue.h"
#include "config/configurationfile.h"
#include "connection/linksettings.h"
#include "players/playerrun.h"
#include "sender/sendercommandline.h"
#include "startup/applicationidentity.h"
#include "startup/quitonsignals.h"
#include "transmission/clock.h"

#include <QCoreApplication>

#include <map>
#include <memory>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

void print(const QString &text, FILE *stream)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

// Each player takes a descriptor while its link is open. The soft limit is often 1,024 where
// the hard one is far higher: take the hard one, keep a few for the program itself (standard
// streams, the event loop, the signal pipe), and open no more than the event loop keeps up with.
int linksOpenAtOnce()
{
    constexpr rlim_t reserved = 32;
    constexpr rlim_t most = 512;
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 1;
    limit.rlim_cur = limit.rlim_max;
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
        getrlimit(RLIMIT_NOFILE, &limit);
    return int(std::clamp(limit.rlim_cur, reserved + 1, reserved + most) - reserved);
}

// A player as the run reaches it.
struct Addressed
{
    QString label;
    int timesListed = 1;
    int modelIndex = -1;
    LinkTarget target;
    quint8 idByte = 0x80;
};

std::vector<Addressed> addressedPlayers(const SendRequest &request,
                                        const PlayerCatalogueList &catalogue)
{
    std::vector<Addressed> players;
    for (const RequestedPlayer &player : request.players)
        players.push_back(
            {player.name, 1, player.link.modelIndex, player.link.target, player.link.idByte});
    if (request.modelIndex < 0)
        return players;
    const PlayerModel &model = catalogue.at(request.modelIndex);
    for (const QString &host : request.hosts.hosts) {
        LinkTarget target = linkTarget(model, QString(), -1, host);
        target.tcpPort = request.port;
        players.push_back({host, request.hosts.timesListed.value(host, 1), request.modelIndex,
                           target, request.idByte});
    }
    if (!request.device.isEmpty()) {
        LinkTarget target = linkTarget(model, request.device, -1, QString());
        target.baudRate = acceptedBaudRate(request.baudRate);
        players.push_back({request.device, 1, request.modelIndex, target, request.idByte});
    }
    return players;
}

// Each frame carries the clock as it is sent.
std::optional<QByteArray> frameOf(const PlayerModel &model, quint8 idByte, Control control)
{
    control.clock = readClock();
    const auto command = frameFor(model, control);
    if (!command)
        return std::nullopt;
    return assembleFrame(model.protocol, idByte, command->code, command->data);
}

// What is done on the players of one model and ID; nothing when the command has no frame there.
std::shared_ptr<const PlayerWork> workFor(const SendRequest &request, const PlayerModel &model,
                                          int modelIndex, quint8 idByte)
{
    auto work = std::make_shared<PlayerWork>();
    if (request.check) {
        work->kind = PlayerWork::Kind::Check;
        if (const auto status = statusRequest(model, idByte)) {
            work->frame = status->bytes;
            work->name = status->name;
        }
    } else if (request.sequence) {
        // Every command step was found to have a frame when the file was read.
        work->kind = PlayerWork::Kind::Sequence;
        work->steps = request.sequenceOf.value(modelIndex);
        work->frameOf = [&model, idByte](const SequenceStep &step) {
            return frameOf(model, idByte, step.control).value();
        };
    } else {
        const auto frame = frameOf(model, idByte, request.controlOf.value(modelIndex));
        if (!frame)
            return nullptr;
        work->frame = *frame;
    }
    return work;
}

} // namespace

int main(int argc, char *argv[])
{
    // The players saved by the console are beside its settings file, in its data directory.
    setApplicationIdentity();
    const QString savedPlayers = playersPath(userConfigurationPath(false));
    setApplicationIdentity(QStringLiteral("zoxen-send"));
    QCoreApplication application(argc, argv);

    const PlayerCatalogueList catalogue = buildCatalogueModels();
    const SenderCommandLine commandLine =
        readSenderCommandLine(QCoreApplication::arguments(), catalogue, savedPlayers);
    print(commandLine.output, stdout);
    for (const QString &warning : commandLine.warnings)
        print(QStringLiteral("zoxen-send: %1\n").arg(warning), stderr);
    if (!commandLine.error.isEmpty())
        print(QStringLiteral("zoxen-send: %1\n").arg(commandLine.error), stderr);
    if (!commandLine.request)
        return commandLine.exitStatus;

    const SendRequest &request = *commandLine.request;
    const auto run = std::make_unique<PlayerRun>(
        request.waitMs,
        request.check ? std::min(siteLinksAtOnce, linksOpenAtOnce()) : linksOpenAtOnce());
    std::map<std::pair<int, int>, std::shared_ptr<const PlayerWork>> works;
    for (const Addressed &player : addressedPlayers(request, catalogue)) {
        const PlayerModel &model = catalogue.at(player.modelIndex);
        auto &work = works[{player.modelIndex, player.idByte}];
        if (!work)
            work = workFor(request, model, player.modelIndex, player.idByte);
        if (!work) {
            print(QStringLiteral("zoxen-send: %1 has nothing to send for this command\n")
                      .arg(model.name),
                  stderr);
            return SendStatus::usageError;
        }
        PlayerResult result;
        result.address = player.label;
        result.timesListed = player.timesListed;
        run->addPlayer(player.target, result, work);
    }
    if (works.size() == 1 && works.begin()->second->kind == PlayerWork::Kind::Frame) {
        print(bytesText(works.begin()->second->frame, request.decimal) + QLatin1Char('\n'), stdout);
        std::fflush(stdout);
    }
    // A signal ends the sending, but what became of each player is still told.
    QuitOnSignals quitOnSignals;
    int endingSignal = 0;
    QObject::connect(&quitOnSignals, &QuitOnSignals::received,
                     [&endingSignal](int signalNumber) { endingSignal = signalNumber; });
    quitOnSignals.install();

    QObject::connect(run.get(), &PlayerRun::finished, &application, &QCoreApplication::quit);
    run->start();
    QCoreApplication::exec();
    if (endingSignal != 0)
        run->interrupt(QStringLiteral("interrupted by SIG%1").arg(sigabbrev_np(endingSignal)));

    int status = endingSignal != 0 ? SendStatus::linkFailed : SendStatus::sent;
    for (const PlayerResult &result : run->results()) {
        const QStringList lines =
            request.check ? QStringList{checkLine(result)} : resultLines(result, request.decimal);
        print(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'), stdout);
        if (!result.sent)
            status = SendStatus::linkFailed;
    }
    return status;
}
