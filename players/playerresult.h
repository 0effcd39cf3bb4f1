#pragma once

#include "players/playerstate.h"

#include <QByteArray>
#include <QStringList>

// What became of the frame, the sequence or the check at one player.
struct PlayerResult
{
    // The player's address, or its name when it is saved.
    QString address;
    // How many times the command line and the hosts files named this player.
    int timesListed = 1;
    bool sent = false;
    // The window's message when it was not sent: a title line and the reason. When it was sent,
    // why its answer was cut short, if it was.
    QString error;
    QByteArray answer;
    // For a sequence: "done", or where and why it stopped.
    QString verdict;
    // For a check: what it found, and the round trip (-1 when nothing came).
    PlayerState state = PlayerState::NotChecked;
    int roundTripMs = -1;
};

// The player's lines of output, each starting with its address so that a script can pick
// them out: "ADDRESS: sent" or "ADDRESS: not sent: MESSAGE" (for a sequence, its verdict); how many
// times it was listed, if more than once; when it answered, its bytes ("answer:", in hexadecimal or
// decimal) and the same bytes on one line as a session recording escapes them ("answer text:");
// then why the answer was cut short, if it was.
QStringList resultLines(const PlayerResult &result, bool decimal);

// A check's line, its fields separated by tabs: the player, its state, the round trip ("12 ms",
// or "-"), the answer's first line ("link opens" for a model without requests).
QString checkLine(const PlayerResult &result);
