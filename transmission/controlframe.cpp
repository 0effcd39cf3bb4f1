#include "transmission/controlframe.h"

#include "catalogue/folders.h"
#include "transmission/envelope.h"

namespace {

using Frame = std::optional<CommandFrame>;

Frame commandOfCategory(const PlayerModel &model, int category)
{
    const PlayerCommand *command = model.commandOfCategory(category);
    if (!command)
        return std::nullopt;
    return CommandFrame{command->code, commandData(model, *command)};
}

// The on-demand model's playback commands carry two more texts.
Frame buttonFrame(const PlayerModel &model, int category)
{
    Frame frame = commandOfCategory(model, category);
    const bool trailed = category == CommandCategory::PreviousFile ||
                         category == CommandCategory::Play || category == CommandCategory::Stop ||
                         category == CommandCategory::NextFile;
    if (frame && model.isOnDemand() && trailed)
        frame->data += zeroTerminated({Envelope::unusedArgument, Envelope::unusedArgument});
    return frame;
}

Frame folderFrame(const PlayerModel &model, int number)
{
    const PlayerCommand *command = model.commandOfCategory(CommandCategory::Folder);
    const auto position =
        command ? folderPosition(*command, model.folderBanks, number) : std::nullopt;
    if (!position)
        return std::nullopt;
    CommandFrame frame{quint8(command->code + 16 * position->bank), commandData(model, *command)};
    if (!frame.data.isEmpty())
        frame.data[0] = quint8(position->value);
    return frame;
}

Frame changeIdFrame(const PlayerModel &model, int id)
{
    Frame frame = commandOfCategory(model, CommandCategory::ChangeId);
    if (!frame || frame->data.isEmpty())
        return std::nullopt;
    frame->data[0] = quint8(id);
    return frame;
}

// The addressed family takes the value in one byte; the unaddressed one in two, high byte
// first; the on-demand model as text, on its own scale of -64 to 0.
Frame volumeFrame(const PlayerModel &model, int value)
{
    const PlayerCommand *command = model.commandOfCategory(CommandCategory::Volume);
    if (!command)
        return std::nullopt;
    CommandFrame frame{command->code, command->dataMin};
    ByteList &data = frame.data;
    if (model.protocol == 0) {
        if (!data.isEmpty())
            data[0] = quint8(value);
    } else if (data.size() >= 2) {
        if (!model.isOnDemand()) {
            data[0] = quint8(value >> 8);
            data[1] = quint8(value);
        } else {
            data = frame.code == 3
                       ? textEnvelope(Envelope::settingVerb,
                                      {Envelope::volumeName,
                                       QByteArray::number(value - Envelope::volumeOffset)})
                       : ByteList();
        }
    }
    return frame;
}

Frame nonEmpty(const PlayerCommand *command, const ByteList &data)
{
    if (!command || data.isEmpty())
        return std::nullopt;
    return CommandFrame{command->code, data};
}

} // namespace

std::optional<CommandFrame> frameFor(const PlayerModel &model, const Control &control)
{
    switch (control.kind) {
    case ControlKind::Button:
        return buttonFrame(model, control.category);
    case ControlKind::Folder:
        return folderFrame(model, control.number);
    case ControlKind::ChangeId:
        return changeIdFrame(model, control.number);
    case ControlKind::Volume:
        return volumeFrame(model, control.number);
    case ControlKind::Request: {
        // A "Volume" request shares its label with the slider's command.
        const PlayerCommand *request =
            model.commandByLabel(control.entry, CommandCategory::Request);
        return nonEmpty(request, request ? requestData(model, *request) : ByteList());
    }
    case ControlKind::OtherCommand: {
        const PlayerCommand *command = model.commandByLabel(control.entry);
        return nonEmpty(command, command ? otherCommandData(*command, control.clock) : ByteList());
    }
    case ControlKind::Launch: {
        const PlayerCommand *source = model.commandByLabel(control.entry);
        return nonEmpty(source, source ? launchData(model, *source, control.launch) : ByteList());
    }
    case ControlKind::Relay: {
        const PlayerCommand *relay = model.commandOfCategory(CommandCategory::Relay);
        if (!relay)
            return std::nullopt;
        return CommandFrame{relay->code, relayData(*relay, control.relays)};
    }
    }
    return std::nullopt;
}

QString controlName(const PlayerModel &model, const Control &control)
{
    const auto labelOf = [&model](int category) {
        const PlayerCommand *command = model.commandOfCategory(category);
        return command ? command->label : QString();
    };
    const QString number = QString::number(control.number);
    switch (control.kind) {
    case ControlKind::Button:
        return labelOf(control.category);
    case ControlKind::Folder:
        return labelOf(CommandCategory::Folder) + QLatin1Char(' ') + number;
    case ControlKind::ChangeId:
        return labelOf(CommandCategory::ChangeId) + QLatin1Char(' ') + number;
    case ControlKind::Volume:
        return labelOf(CommandCategory::Volume) + QLatin1Char(' ') + number;
    case ControlKind::Request:
    case ControlKind::OtherCommand:
        return control.entry;
    case ControlKind::Launch: {
        const PlayerCommand *source = model.commandByLabel(control.entry);
        const LaunchChoice &choice = control.launch;
        switch (source ? source->category : -1) {
        case CommandCategory::ContentFolder:
            return QStringLiteral("%1 reference %2").arg(control.entry).arg(choice.reference);
        case CommandCategory::ContentFolderOption:
            return QStringLiteral("%1 reference %2 option %3")
                .arg(control.entry)
                .arg(choice.reference)
                .arg(choice.option);
        case CommandCategory::Webradio:
            return QStringLiteral("%1 preset %2").arg(control.entry).arg(choice.preset);
        default:
            return control.entry;
        }
    }
    case ControlKind::Relay: {
        QStringList closed;
        for (int relay = 0; relay < control.relays.size(); ++relay) {
            if (control.relays.at(relay))
                closed << QString::number(relay + 1);
        }
        return labelOf(CommandCategory::Relay) + QStringLiteral(" relays ") +
               (closed.isEmpty() ? QStringLiteral("none") : closed.join(QLatin1Char(' ')));
    }
    }
    return QString();
}

std::optional<OutgoingFrame> outgoingFrame(const PlayerModel &model, quint8 idByte,
                                           const Control &control)
{
    const auto frame = frameFor(model, control);
    if (!frame)
        return std::nullopt;
    return OutgoingFrame{assembleFrame(model.protocol, idByte, frame->code, frame->data),
                         controlName(model, control)};
}
