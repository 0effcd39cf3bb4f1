#include "catalogue/playercatalogue.h"
#include "connection/linksettings.h"
#include "sender/playerrun.h"
#include "sender/sendercommandline.h"
#include "startup/applicationidentity.h"
#include "startup/quitonsignals.h"
#include "transmission/clock.h"

#include <QCoreApplication>

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

void addPlayers(PlayerRun &run, const SendRequest &request, const PlayerModel &model)
{
    for (const QString &host : request.hosts) {
        LinkTarget target = linkTarget(model, QString(), -1, host);
        target.tcpPort = request.port;
        PlayerResult result;
        result.address = host;
        result.timesListed = request.timesListed.value(host, 1);
        run.addPlayer(target, result);
    }
    if (!request.device.isEmpty()) {
        LinkTarget target = linkTarget(model, request.device, -1, QString());
        target.baudRate = acceptedBaudRate(request.baudRate);
        PlayerResult result;
        result.address = request.device;
        run.addPlayer(target, result);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    setApplicationIdentity(QStringLiteral("zoxen-send"));
    QCoreApplication application(argc, argv);

    const PlayerCatalogueList catalogue = buildCatalogueModels();
    const SenderCommandLine commandLine =
        readSenderCommandLine(QCoreApplication::arguments(), catalogue);
    print(commandLine.output, stdout);
    if (!commandLine.error.isEmpty())
        print(QStringLiteral("zoxen-send: %1\n").arg(commandLine.error), stderr);
    if (!commandLine.request)
        return commandLine.exitStatus;

    SendRequest request = *commandLine.request;
    const PlayerModel &model = catalogue.at(request.modelIndex);
    // Each frame carries the clock as it is sent.
    const auto frameOf = [&model, &request](Control control) -> std::optional<QByteArray> {
        control.clock = readClock();
        const auto command = frameFor(model, control);
        if (!command)
            return std::nullopt;
        return assembleFrame(model.protocol, request.idByte, command->code, command->data);
    };
    std::unique_ptr<PlayerRun> run;
    if (request.sequence) {
        // Every command step was found to have a frame when the file was read.
        run = std::make_unique<PlayerRun>(
            *request.sequence,
            [&frameOf](const SequenceStep &step) { return frameOf(step.control).value(); },
            request.waitMs, linksOpenAtOnce());
    } else {
        const auto frame = frameOf(request.control);
        if (!frame) {
            print(QStringLiteral("zoxen-send: %1 has nothing to send for this command\n")
                      .arg(model.name),
                  stderr);
            return SendStatus::usageError;
        }
        print(bytesText(*frame, request.decimal) + QLatin1Char('\n'), stdout);
        std::fflush(stdout);
        run = std::make_unique<PlayerRun>(*frame, request.waitMs, linksOpenAtOnce());
    }
    // A signal ends the sending, but what became of each player is still told.
    QuitOnSignals quitOnSignals;
    int endingSignal = 0;
    QObject::connect(&quitOnSignals, &QuitOnSignals::received,
                     [&endingSignal](int signalNumber) { endingSignal = signalNumber; });
    quitOnSignals.install();

    addPlayers(*run, request, model);
    QObject::connect(run.get(), &PlayerRun::finished, &application, &QCoreApplication::quit);
    run->start();
    QCoreApplication::exec();
    if (endingSignal != 0)
        run->interrupt(QStringLiteral("interrupted by SIG%1").arg(sigabbrev_np(endingSignal)));

    int status = endingSignal != 0 ? SendStatus::linkFailed : SendStatus::sent;
    for (const PlayerResult &result : run->results()) {
        print(resultLines(result, request.decimal).join(QLatin1Char('\n')) + QLatin1Char('\n'),
              stdout);
        if (!result.sent)
            status = SendStatus::linkFailed;
    }
    return status;
}
