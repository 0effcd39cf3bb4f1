#pragma once

#include "transmission/frames.h"

#include <optional>

// The kinds of control that send a command.
enum class ControlKind
{
    Button,
    Folder,
    ChangeId,
    Volume,
    Request,
    OtherCommand,
    Launch,
    Relay,
};

// A control as the user left it when pressing it.
struct Control
{
    ControlKind kind = ControlKind::Button;
    // Button: the category of the command it sends.
    int category = 0;
    // Request, OtherCommand, Launch: the label chosen in its list.
    QString entry;
    // Folder: the folder number; ChangeId: the new player ID; Volume: the slider's value.
    int number = 0;
    LaunchChoice launch;
    // Relay: relays 1 to 8, checked or not.
    QVector<bool> relays;
    // OtherCommand: the instant that clock commands carry.
    ClockReading clock;
};

inline Control buttonControl(int category)
{
    Control control;
    control.category = category;
    return control;
}

// Folder, ChangeId, Volume.
inline Control numberControl(ControlKind kind, int number)
{
    Control control;
    control.kind = kind;
    control.number = number;
    return control;
}

// Request, OtherCommand, Launch.
inline Control entryControl(ControlKind kind, const QString &entry)
{
    Control control;
    control.kind = kind;
    control.entry = entry;
    return control;
}

// A command's code and data, before the ID byte goes in front.
struct CommandFrame
{
    quint8 code = 0;
    ByteList data;
    bool operator==(const CommandFrame &other) const
    {
        return code == other.code && data == other.data;
    }
};

// The frame that a control sends to the model; empty when the model has no such command or
// the control's choice gives nothing to send.
std::optional<CommandFrame> frameFor(const PlayerModel &model, const Control &control);

// What a control sends, as the catalogue names it, with the value chosen: "Folder 130",
// "Volume 40", "Player Status", "SPOT folder (Random + Reset) reference 10 option 3".
QString controlName(const PlayerModel &model, const Control &control);

// A control's frame as it goes on the wire, and its name.
struct OutgoingFrame
{
    QByteArray bytes;
    QString name;
};

// The frame that a control sends to the model's player whose ID byte is given; empty as for
// frameFor().
std::optional<OutgoingFrame> outgoingFrame(const PlayerModel &model, quint8 idByte,
                                           const Control &control);
