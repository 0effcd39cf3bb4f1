#include "simulator/simulateddevice.h"

#include "connection/modelpanels.h"
#include "simulator/requestanswers.h"

namespace {

using Playback = DeviceState::Playback;

} // namespace

SimulatedDevice::SimulatedDevice(const PlayerModel &model)
    : m_model(model)
{
    m_state.playerId = m_model.minId;
    if (const PlayerCommand *volume = m_model.commandOfCategory(CommandCategory::Volume)) {
        if (const std::optional<VolumeRange> range = volumeRange(*volume, m_model.protocol)) {
            m_lowestVolume = range->minimum;
            m_highestVolume = range->maximum;
        }
    }
    // Starts as loud as the console's slider starts.
    m_state.volume = m_highestVolume;
    if (m_model.commandOfCategory(CommandCategory::Folder))
        m_highestFolder = qMin(m_highestFolder, m_model.folderBanks * 128 - 1);
}

DeviceReaction SimulatedDevice::react(const DecodedFrame &frame)
{
    if (!frame.decoded)
        return {};
    if (frame.playerId && *frame.playerId != m_state.playerId)
        return {QStringLiteral("not for this device, whose id is %1").arg(m_state.playerId), {}};
    if (frame.category != CommandCategory::Request)
        return {apply(frame), {}};

    QByteArray reply = requestAnswer(m_model.commands.at(frame.commandIndex), m_state).toLatin1();
    reply += m_model.isOnDemand() ? QByteArray(1, '\0') : QByteArrayLiteral("\r\n");
    return {{}, reply};
}

QString SimulatedDevice::apply(const DecodedFrame &frame)
{
    switch (frame.category) {
    case CommandCategory::Folder:
    case CommandCategory::ContentFolder:
    case CommandCategory::ContentFolderOption:
        // Over the on-demand link a folder with an option travels without its number.
        m_state.folder = frame.folder.value_or(frame.reference.value_or(m_state.folder));
        m_state.file = 1;
        m_state.source.clear();
        m_state.playback = Playback::Playing;
        break;
    case CommandCategory::PreviousFolder:
    case CommandCategory::NextFolder:
        step(m_state.folder, frame.category == CommandCategory::NextFolder ? 1 : -1, 0,
             m_highestFolder);
        m_state.file = 1;
        m_state.source.clear();
        break;
    case CommandCategory::PreviousFile:
    case CommandCategory::NextFile:
        step(m_state.file, frame.category == CommandCategory::NextFile ? 1 : -1, 1, 999);
        break;
    case CommandCategory::Play:
        m_state.playback = Playback::Playing;
        break;
    case CommandCategory::Stop:
        m_state.playback = Playback::Stopped;
        break;
    case CommandCategory::Pause:
        m_state.playback =
            m_state.playback == Playback::Playing ? Playback::Paused : Playback::Playing;
        break;
    case CommandCategory::PauseOnly:
        if (m_state.playback == Playback::Playing)
            m_state.playback = Playback::Paused;
        break;
    case CommandCategory::Resume:
        if (m_state.playback == Playback::Paused)
            m_state.playback = Playback::Playing;
        break;
    case CommandCategory::Volume:
        m_state.volume = frame.volume.value_or(m_state.volume);
        break;
    case CommandCategory::VolumeUp:
    case CommandCategory::VolumeDown:
        step(m_state.volume, frame.category == CommandCategory::VolumeUp ? 1 : -1, m_lowestVolume,
             m_highestVolume);
        break;
    case CommandCategory::StandbyWakeup:
    case CommandCategory::Standby:
    case CommandCategory::Wakeup:
        m_state.standby = frame.category == CommandCategory::StandbyWakeup
                              ? !m_state.standby
                              : frame.category == CommandCategory::Standby;
        break;
    case CommandCategory::MuteToggle:
    case CommandCategory::Mute:
    case CommandCategory::Unmute:
        m_state.muted = frame.category == CommandCategory::MuteToggle
                            ? !m_state.muted
                            : frame.category == CommandCategory::Mute;
        break;
    case CommandCategory::ChangeId: {
        const int newId = frame.newId.value_or(m_state.playerId);
        if (newId < m_model.minId || newId > m_model.maxId) {
            return QStringLiteral("id %1 refused: this model's ids run from %2 to %3")
                .arg(newId)
                .arg(m_model.minId)
                .arg(m_model.maxId);
        }
        m_state.playerId = newId;
        break;
    }
    case CommandCategory::Webradio:
        m_state.source = QStringLiteral("WEBRADIO %1").arg(frame.preset.value_or(0));
        m_state.playback = Playback::Playing;
        break;
    case CommandCategory::AlternateSource:
        m_state.source = frame.label.toUpper();
        m_state.playback = Playback::Playing;
        break;
    default:
        break;
    }
    return {};
}

void SimulatedDevice::step(int &value, int by, int lowest, int highest)
{
    value = qBound(lowest, value + by, highest);
}
