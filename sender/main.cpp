#include "app/applicationidentity.h"
#include "catalogue/playercatalogue.h"
#include "sender/playerresult.h"
#include "sender/sendercommandline.h"
#include "sender/serialplayerlink.h"
#include "sender/tcpplayerlink.h"
#include "transmission/clock.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void print(const QString &text, FILE *stream)
{
    std::fputs(text.toUtf8().constData(), stream);
}

std::vector<std::unique_ptr<PlayerLink>> playerLinks(const SendRequest &request,
                                                     const QByteArray &frame)
{
    std::vector<std::unique_ptr<PlayerLink>> links;
    for (const QString &host : request.hosts)
        links.push_back(std::make_unique<TcpPlayerLink>(host, request.port, frame, request.waitMs));
    if (!request.device.isEmpty())
        links.push_back(std::make_unique<SerialPlayerLink>(request.device, request.baudRate, frame,
                                                           request.waitMs));
    return links;
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
    print(frameText(model.protocol, request.idByte, command->code, command->data, request.decimal) +
              QLatin1Char('\n'),
          stdout);

    // Every player at once, each on its own link; the results in the order given.
    const QByteArray frame =
        assembleFrame(model.protocol, request.idByte, command->code, command->data);
    const auto links = playerLinks(request, frame);
    const auto allFinished = [&links] {
        return std::all_of(links.cbegin(), links.cend(),
                           [](const auto &link) { return link->isFinished(); });
    };
    for (const auto &link : links) {
        QObject::connect(link.get(), &PlayerLink::finished, &application, [&allFinished] {
            if (allFinished())
                QCoreApplication::exit();
        });
    }
    for (const auto &link : links)
        link->start();
    if (!allFinished())
        QCoreApplication::exec();

    int status = SendStatus::sent;
    for (const auto &link : links) {
        const PlayerResult result{link->address(), link->sent(), link->error(), link->answer()};
        print(resultLines(result, request.decimal).join(QLatin1Char('\n')) + QLatin1Char('\n'),
              stdout);
        if (!link->sent())
            status = SendStatus::linkFailed;
    }
    return status;
}
