#pragma once

#include "sender/commandnames.h"
#include "windowdriver.h"

#include <QProcess>

// zoxen-send driven from a test that serves its loopback players meanwhile; the includer
// defines ZOXEN_SEND, its path.

// The frames of the commands, named as zoxen-send names them, for a model's lowest player ID.
inline QByteArray framesOf(const QString &modelName, const QStringList &commands)
{
    const PlayerCatalogueList catalogue = buildCatalogueModels();
    const PlayerModel &model = catalogue.at(modelIndex(modelName));
    QByteArray frames;
    for (const QString &command : commands) {
        const auto frame = frameFor(model, *resolveCommand(model, command).control);
        frames += assembleFrame(model.protocol, idByteFor(QString::number(model.minId), true),
                                frame->code, frame->data);
    }
    return frames;
}

// Its exit status (-1 when a signal ended it) and its lines of output.
inline std::pair<int, QStringList> send(const QStringList &arguments, int patienceMs = 60000)
{
    QProcess sender;
    sender.start(ZOXEN_SEND, arguments);
    (void)QTest::qWaitFor([&] { return sender.state() == QProcess::NotRunning; }, patienceMs);
    return {sender.exitStatus() == QProcess::NormalExit ? sender.exitCode() : -1,
            QString::fromUtf8(sender.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)};
}
