#include "startup/applicationidentity.h"
#include "catalogue/playercatalogue.h"
#include "connection/linksettings.h"
#include "link/devicelink.h"
#include "sender/playerresult.h"
#include "sender/sendercommandline.h"
#include "transmission/clock.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

void print(const QString &text, FILE *stream)
{
    std::fputs(text.toUtf8().constData(), stream);
}

// One player: its own link, opened for this frame alone, and what became of the frame.
struct Player
{
    PlayerResult result;
    std::unique_ptr<DeviceLink> link = std::make_unique<DeviceLink>();
    bool finished = false;
};

std::vector<std::unique_ptr<Player>> players(const SendRequest &request, const PlayerModel &model)
{
    std::vector<LinkTarget> targets;
    for (const QString &host : request.hosts) {
        LinkTarget target = linkTarget(model, QString(), -1, host);
        target.tcpPort = request.port;
        targets.push_back(target);
    }
    if (!request.device.isEmpty()) {
        LinkTarget target = linkTarget(model, request.device, -1, QString());
        target.baudRate = acceptedBaudRate(request.baudRate);
        targets.push_back(target);
    }
    std::vector<std::unique_ptr<Player>> list;
    for (const LinkTarget &target : targets) {
        auto player = std::make_unique<Player>();
        player->result.address = target.kind == LinkTarget::Kind::Tcp ? target.host : target.port;
        player->link->setTarget(target);
        list.push_back(std::move(player));
    }
    return list;
}

// The frame is sent once all its bytes have left; what the player sends within the wait after
// that is its answer. A link that ends before the frame has left says why it was not sent.
void start(Player &player, const QByteArray &frame, int waitMs, const std::function<void()> &done)
{
    DeviceLink &link = *player.link;
    const auto finish = [&player, done] {
        if (std::exchange(player.finished, true))
            return;
        // Not from inside the link's own signal.
        QMetaObject::invokeMethod(player.link.get(), &DeviceLink::close, Qt::QueuedConnection);
        done();
    };
    QObject::connect(&link, &DeviceLink::answered, &link,
                     [&player, finish](int, const QByteArray &answer) {
                         player.result.sent = true;
                         player.result.answer = answer;
                         finish();
                     });
    QObject::connect(&link, &DeviceLink::frameNotSent, &link, [&player, finish] {
        player.result.error = player.link->errorMessage();
        finish();
    });
    if (!link.open(link.target())) {
        player.result.error = link.errorMessage();
        finish();
        return;
    }
    link.send(frame, QString(), waitMs);
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
    request.control.clock = readClock();
    const auto command = frameFor(model, request.control);
    if (!command) {
        print(
            QStringLiteral("zoxen-send: %1 has nothing to send for this command\n").arg(model.name),
            stderr);
        return SendStatus::usageError;
    }
    // Every player at once, each on its own link; the results in the order given.
    const QByteArray frame =
        assembleFrame(model.protocol, request.idByte, command->code, command->data);
    print(bytesText(frame, request.decimal) + QLatin1Char('\n'), stdout);
    const auto list = players(request, model);
    const auto allFinished = [&list] {
        return std::all_of(list.cbegin(), list.cend(),
                           [](const auto &player) { return player->finished; });
    };
    for (const auto &player : list) {
        start(*player, frame, request.waitMs, [&allFinished] {
            if (allFinished())
                QCoreApplication::exit();
        });
    }
    if (!allFinished())
        QCoreApplication::exec();

    int status = SendStatus::sent;
    for (const auto &player : list) {
        print(resultLines(player->result, request.decimal).join(QLatin1Char('\n')) +
                  QLatin1Char('\n'),
              stdout);
        if (!player->result.sent)
            status = SendStatus::linkFailed;
    }
    return status;
}
