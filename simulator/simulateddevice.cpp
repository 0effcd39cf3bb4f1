#include "simulator/simulateddevice.h"

#include "modelselection/modelpanels.h"

#include <QHash>

namespace {

using namespace CommandCategory;

const QString playing = QStringLiteral("PLAYING");
const QString paused = QStringLiteral("PAUSED");
const QString stopped = QStringLiteral("STOPPED");

QString threeDigits(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

void step(int &value, int by, int lowest, int highest)
{
    value = qBound(lowest, value + by, highest);
}

} // namespace

SimulatedDevice::SimulatedDevice(const PlayerModel &model)
    : m_model(model)
    , m_playerId(model.minId)
{
    if (const PlayerCommand *volume = model.commandOfCategory(Volume)) {
        if (const std::optional<VolumeRange> range = volumeRange(*volume, model.protocol)) {
            m_lowestVolume = range->minimum;
            m_highestVolume = range->maximum;
        }
    }
    // Starts as loud as the console's slider starts.
    m_volume = m_highestVolume;
    if (model.commandOfCategory(Folder))
        m_highestFolder = qMin(m_highestFolder, model.folderBanks * 128 - 1);
}

DeviceReaction SimulatedDevice::react(const DecodedFrame &frame)
{
    if (!frame.command)
        return {};
    if (frame.playerId && *frame.playerId != m_playerId)
        return {QStringLiteral("not for this device, whose id is %1").arg(m_playerId), {}};
    const PlayerCommand &command = *frame.command;
    if (command.category != Request)
        return {apply(command.category, frame.numbers.value(0), command.label), {}};
    return {{},
            answer(command.label).toLatin1() +
                (m_model.isOnDemand() ? QByteArray(1, '\0') : QByteArrayLiteral("\r\n"))};
}

// `number` is the command's first parameter.
QString SimulatedDevice::apply(int category, int number, const QString &label)
{
    switch (category) {
    case Folder:
    case ContentFolder:
    case ContentFolderOption:
        m_folder = number;
        m_file = 1;
        m_source.clear();
        m_playback = playing;
        break;
    case PreviousFolder:
    case NextFolder:
        step(m_folder, category == NextFolder ? 1 : -1, 0, m_highestFolder);
        m_file = 1;
        m_source.clear();
        break;
    case PreviousFile:
    case NextFile:
        step(m_file, category == NextFile ? 1 : -1, 1, 999);
        break;
    case Play:
    case Stop:
        m_playback = category == Play ? playing : stopped;
        break;
    case Pause:
        m_playback = m_playback == playing ? paused : playing;
        break;
    case PauseOnly:
    case Resume:
        if (m_playback != stopped)
            m_playback = category == PauseOnly ? paused : playing;
        break;
    case Volume:
        m_volume = number;
        break;
    case VolumeUp:
    case VolumeDown:
        step(m_volume, category == VolumeUp ? 1 : -1, m_lowestVolume, m_highestVolume);
        break;
    case StandbyWakeup:
    case Standby:
    case Wakeup:
        m_standby = category == StandbyWakeup ? !m_standby : category == Standby;
        break;
    case MuteToggle:
    case Mute:
    case Unmute:
        m_muted = category == MuteToggle ? !m_muted : category == Mute;
        break;
    case ChangeId:
        if (number < m_model.minId || number > m_model.maxId) {
            return QStringLiteral("id %1 refused: this model's ids run from %2 to %3")
                .arg(number)
                .arg(m_model.minId)
                .arg(m_model.maxId);
        }
        m_playerId = number;
        break;
    case Webradio:
    case AlternateSource:
        m_source =
            category == Webradio ? QStringLiteral("WEBRADIO %1").arg(number) : label.toUpper();
        m_playback = playing;
        break;
    default:
        break;
    }
    return {};
}

// Requests are known by their label's letters and digits, lower case, so that the addressed
// models' "Player Status" and the on-demand model's "Player status" get the same answer.
QString SimulatedDevice::answer(const QString &label) const
{
    QString key;
    for (QChar c : label) {
        if (c.isLetterOrNumber())
            key += c.toLower();
    }
    const QString muted = m_muted ? QStringLiteral(" MUTED") : QString();
    const QString volume = QString::number(m_volume) + muted;
    const QString folder = threeDigits(m_folder);
    const QString file = QStringLiteral("FILE") + threeDigits(m_file);
    const QString source = m_source.isEmpty() ? QStringLiteral("FOLDER") : m_source;
    const QString status =
        m_standby ? QStringLiteral("STANDBY")
                  : m_playback + ' ' + (m_source.isEmpty() ? "FOLDER " + folder : m_source) + muted;
    const QHash<QString, QString> values{
        {"playerstatus", status},
        {"volume", volume},
        {"currentfoldernumber", folder},
        {"folderid", folder},
        {"currentfile", file},
        {"playingfile", file},
        {"fullpathname", "/FOLDER" + folder + '/' + file},
        {"usedstoragemedia", "SD CARD"},
        {"source", source},
        {"remainingtime", m_playback == stopped ? "00:00:00" : "00:02:00"},
        {"totaltimeofthefile", "00:03:00"},
        {"information", QStringLiteral("ID %1 VOLUME %2").arg(m_playerId).arg(volume)},
    };
    return label.toUpper() + QStringLiteral(": ") + values.value(key, QStringLiteral("NONE"));
}
