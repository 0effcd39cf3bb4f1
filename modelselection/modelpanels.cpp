#include "modelselection/modelpanels.h"
#include "catalogue/folders.h"

CommandPanel panelOfCategory(int category)
{
    using namespace CommandCategory;
    switch (category) {
    case Folder:
        return CommandPanel::Folder;
    case PreviousFolder:
    case PreviousFile:
    case Play:
    case Stop:
    case Pause:
    case NextFile:
    case NextFolder:
        return CommandPanel::PlaybackButton;
    case Volume:
        return CommandPanel::Volume;
    case Request:
        return CommandPanel::Request;
    case ChangeId:
        return CommandPanel::ChangeId;
    case StandbyWakeup:
        return CommandPanel::StandbyWakeup;
    case VolumeUp:
    case VolumeDown:
    case Standby:
    case Wakeup:
    case PauseOnly:
    case Resume:
    case Mute:
    case Unmute:
    case SetTime:
    case SetDate:
    case SetDateTime:
    case SetUtcEpoch:
    case SetUtcDateTime:
    case Ntp:
    case Misc:
        return CommandPanel::OtherCommand;
    case MuteToggle:
        return CommandPanel::MuteToggle;
    case Relay:
        return CommandPanel::Relay;
    case ContentFolder:
    case ContentFolderOption:
    case Webradio:
    case AlternateSource:
        return CommandPanel::PlaybackSource;
    default:
        return CommandPanel::None;
    }
}

QString paddedNumber(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

QStringList numberEntries(int first, int last, bool padded)
{
    QStringList entries;
    entries.reserve(qMax(0, last - first + 1));
    for (int number = first; number <= last; ++number)
        entries.append(padded ? paddedNumber(number) : QString::number(number));
    return entries;
}

QStringList baudRateEntries(const PlayerModel &model)
{
    QStringList entries;
    for (qint32 rate : model.baudRates)
        entries.append(QString::number(rate));
    return entries;
}

int defaultBaudRateEntry(const PlayerModel &model)
{
    if (model.baudRates.isEmpty())
        return -1;
    const int last = model.baudRates.lastIndexOf(model.defaultBaudRate);
    return last >= 0 ? last : 0;
}

QStringList folderEntries(const PlayerCommand &folder, int banks)
{
    QStringList entries;
    const QVector<int> numbers = folderNumbers(folder, banks);
    for (int number : numbers)
        entries.append(paddedNumber(number));
    return entries;
}

std::optional<VolumeRange> volumeRange(const PlayerCommand &volume, int protocol)
{
    const ByteList &low = volume.dataMin;
    const ByteList &high = volume.dataMax;
    if (protocol == 1) {
        if (low.size() < 2 || high.size() < 2)
            return std::nullopt;
        return VolumeRange{volume.wordMin(), volume.wordMax()};
    }
    if (protocol == 0 && !low.isEmpty() && !high.isEmpty())
        return VolumeRange{low.at(0), high.at(0)};
    return std::nullopt;
}
