#include "transmission/namedcontrols.h"

#include "catalogue/folders.h"

namespace {

Control relayControl()
{
    Control relay;
    relay.kind = ControlKind::Relay;
    return relay;
}

std::optional<NamedControl> folderControl(const PlayerModel &model, const PlayerCommand &folder)
{
    const QVector<int> numbers = folderNumbers(folder, model.folderBanks);
    if (numbers.isEmpty())
        return std::nullopt;
    return NamedControl{QStringLiteral("Folder"),
                        numberControl(ControlKind::Folder, 0),
                        folder.category,
                        {{numbers.first(), numbers.last()}}};
}

std::optional<NamedControl> volumeControl(const PlayerModel &model, const PlayerCommand &volume)
{
    const auto range = volumeRange(volume, model.protocol);
    if (!range)
        return std::nullopt;
    return NamedControl{QStringLiteral("Volume"),
                        numberControl(ControlKind::Volume, 0),
                        volume.category,
                        {{range->minimum, range->maximum}}};
}

// The window offers no ID change over TCP/IP, where every player answers to ID 0.
std::optional<NamedControl> changeIdControl(const PlayerModel &model, const PlayerCommand &changeId)
{
    if (model.isTcp() || changeId.dataMin.isEmpty() || changeId.dataMax.isEmpty() ||
        changeId.dataMax.at(0) <= changeId.dataMin.at(0))
        return std::nullopt;
    return NamedControl{QStringLiteral("Change ID"),
                        numberControl(ControlKind::ChangeId, 0),
                        changeId.category,
                        {{changeId.dataMin.at(0), changeId.dataMax.at(0)}}};
}

// A source of playback takes the numbers that the window lists for it: a reference (folder or
// playlist), then an option, or a preset.
NamedControl launchControl(const PlayerCommand &source)
{
    NamedControl named{
        source.label, entryControl(ControlKind::Launch, source.label), source.category, {}};
    if (source.dataMin.size() < 3 || source.dataMax.size() < 3)
        return named;
    const ParameterRange word{source.wordMin(), source.wordMax()};
    switch (source.category) {
    case CommandCategory::ContentFolder:
    case CommandCategory::Webradio:
        named.parameters = {word};
        break;
    case CommandCategory::ContentFolderOption:
        named.parameters = {word, {source.dataMin.at(2), source.dataMax.at(2)}};
        break;
    default:
        break;
    }
    return named;
}

std::optional<NamedControl> namedControl(const PlayerModel &model, const PlayerCommand &command)
{
    switch (panelOfCategory(command.category)) {
    case CommandPanel::Folder:
        return folderControl(model, command);
    case CommandPanel::Volume:
        return volumeControl(model, command);
    case CommandPanel::ChangeId:
        return changeIdControl(model, command);
    case CommandPanel::PlaybackButton:
    case CommandPanel::StandbyWakeup:
    case CommandPanel::MuteToggle:
        return NamedControl{command.label, buttonControl(command.category), command.category, {}};
    case CommandPanel::Request:
        return NamedControl{
            command.label, entryControl(ControlKind::Request, command.label), command.category, {}};
    case CommandPanel::OtherCommand:
        return NamedControl{command.label,
                            entryControl(ControlKind::OtherCommand, command.label),
                            command.category,
                            {}};
    case CommandPanel::PlaybackSource:
        return launchControl(command);
    case CommandPanel::Relay:
        return NamedControl{QString(), relayControl(), command.category, {}};
    case CommandPanel::None:
        break;
    }
    return std::nullopt;
}

} // namespace

QVector<OfferedControl> offeredControls(const PlayerModel &model)
{
    QVector<OfferedControl> controls;
    for (const PlayerCommand &command : model.commands) {
        if (auto named = namedControl(model, command))
            controls.append({*named, &command, panelOfCategory(command.category)});
    }
    return controls;
}

QVector<NamedControl> namedControls(const PlayerModel &model)
{
    QVector<NamedControl> controls;
    const QVector<OfferedControl> offered = offeredControls(model);
    for (const OfferedControl &control : offered) {
        if (!control.named.name.isEmpty())
            controls.append(control.named);
    }
    return controls;
}

Control withParameters(const NamedControl &named, const QVector<int> &values)
{
    Control control = named.control;
    const int first = values.value(0);
    switch (control.kind) {
    case ControlKind::Folder:
    case ControlKind::ChangeId:
    case ControlKind::Volume:
        control.number = first;
        break;
    case ControlKind::Launch:
        if (named.category == CommandCategory::Webradio)
            control.launch.preset = first;
        else
            control.launch = {first, values.value(1), 0};
        break;
    default:
        break;
    }
    return control;
}
