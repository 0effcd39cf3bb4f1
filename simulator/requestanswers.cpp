#include "simulator/requestanswers.h"

#include <QHash>

#include <functional>

namespace {

QString threeDigits(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

bool isRunning(const DeviceState &state)
{
    return state.playback != DeviceState::Playback::Stopped;
}

QString playerStatus(const DeviceState &state)
{
    if (state.standby)
        return QStringLiteral("STANDBY");
    QString status = state.playback == DeviceState::Playback::Playing  ? QStringLiteral("PLAYING")
                     : state.playback == DeviceState::Playback::Paused ? QStringLiteral("PAUSED")
                                                                       : QStringLiteral("STOPPED");
    status += ' ' + (state.source.isEmpty() ? QStringLiteral("FOLDER ") + threeDigits(state.folder)
                                            : state.source);
    if (state.muted)
        status += QStringLiteral(" MUTED");
    return status;
}

QString volume(const DeviceState &state)
{
    return QString::number(state.volume) + (state.muted ? QStringLiteral(" MUTED") : QString());
}

QString fileName(const DeviceState &state)
{
    return QStringLiteral("FILE") + threeDigits(state.file);
}

using Answer = std::function<QString(const DeviceState &)>;

// Requests are known by their label's letters and digits, lower case, so that the addressed
// models' "Player Status" and the on-demand model's "Player status" get the same answer.
const QHash<QString, Answer> &answers()
{
    static const QHash<QString, Answer> table{
        {"playerstatus", playerStatus},
        {"volume", volume},
        {"currentfoldernumber",
         [](const DeviceState &s) {
             return threeDigits(s.folder);
         }},
        {"folderid",
         [](const DeviceState &s) {
             return threeDigits(s.folder);
         }},
        {"currentfile", fileName},
        {"playingfile", fileName},
        {"fullpathname",
         [](const DeviceState &s) {
             return QStringLiteral("/FOLDER") + threeDigits(s.folder) + '/' + fileName(s);
         }},
        {"usedstoragemedia",
         [](const DeviceState &) {
             return QStringLiteral("SD CARD");
         }},
        {"source",
         [](const DeviceState &s) {
             return s.source.isEmpty() ? QStringLiteral("FOLDER") : s.source;
         }},
        {"remainingtime",
         [](const DeviceState &s) {
             return isRunning(s) ? QStringLiteral("00:02:00") : QStringLiteral("00:00:00");
         }},
        {"totaltimeofthefile",
         [](const DeviceState &) {
             return QStringLiteral("00:03:00");
         }},
        {"information",
         [](const DeviceState &s) {
             return QStringLiteral("ID %1 VOLUME %2").arg(s.playerId).arg(volume(s));
         }},
    };
    return table;
}

QString key(const QString &label)
{
    QString key;
    for (QChar c : label) {
        if (c.isLetterOrNumber())
            key += c.toLower();
    }
    return key;
}

} // namespace

QString requestAnswer(const PlayerCommand &request, const DeviceState &state)
{
    const Answer answer = answers().value(key(request.label));
    return request.label.toUpper() + QStringLiteral(": ") +
           (answer ? answer(state) : QStringLiteral("NONE"));
}
