#include "simulator/simulateddevice.h"

#include "connection/modelpanels.h"

namespace {

using namespace CommandCategory;

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
        m_playback = Playback::Playing;
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
        m_playback = category == Play ? Playback::Playing : Playback::Stopped;
        break;
    case Pause:
        m_playback = m_playback == Playback::Playing ? Playback::Paused : Playback::Playing;
        break;
    case PauseOnly:
    case Resume:
        if (m_playback != Playback::Stopped)
            m_playback = category == PauseOnly ? Playback::Paused : Playback::Playing;
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
        m_playback = Playback::Playing;
        break;
    default:
        break;
    }
    return {};
}

QString SimulatedDevice::status() const
{
    if (m_standby)
        return QStringLiteral("STANDBY");
    const QString playback = m_playback == Playback::Playing  ? QStringLiteral("PLAYING")
                             : m_playback == Playback::Paused ? QStringLiteral("PAUSED")
                                                              : QStringLiteral("STOPPED");
    return playback + ' ' +
           (m_source.isEmpty() ? QStringLiteral("FOLDER ") + threeDigits(m_folder) : m_source) +
           (m_muted ? QStringLiteral(" MUTED") : QString());
}

QString SimulatedDevice::volumeText() const
{
    return QString::number(m_volume) + (m_muted ? QStringLiteral(" MUTED") : QString());
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
    const QString file = QStringLiteral("FILE") + threeDigits(m_file);
    QString value = QStringLiteral("NONE");
    if (key == "playerstatus")
        value = status();
    else if (key == "volume")
        value = volumeText();
    else if (key == "currentfoldernumber" || key == "folderid")
        value = threeDigits(m_folder);
    else if (key == "currentfile" || key == "playingfile")
        value = file;
    else if (key == "fullpathname")
        value = QStringLiteral("/FOLDER") + threeDigits(m_folder) + '/' + file;
    else if (key == "usedstoragemedia")
        value = QStringLiteral("SD CARD");
    else if (key == "source")
        value = m_source.isEmpty() ? QStringLiteral("FOLDER") : m_source;
    else if (key == "remainingtime")
        value = m_playback != Playback::Stopped ? "00:02:00" : "00:00:00";
    else if (key == "totaltimeofthefile")
        value = QStringLiteral("00:03:00");
    else if (key == "information")
        value = QStringLiteral("ID %1 VOLUME %2").arg(m_playerId).arg(volumeText());
    return label.toUpper() + QStringLiteral(": ") + value;
}
