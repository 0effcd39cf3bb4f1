#pragma once

#include <QByteArray>
#include <QStringList>

// What became of the frame at one player.
struct PlayerResult
{
    QString address;
    bool sent = false;
    // The window's message when it was not sent: a title line and the reason.
    QString error;
    QByteArray answer;
};

// The player's lines of output, each starting with its address so that a script can pick
// them out: "ADDRESS: sent" or "ADDRESS: not sent: MESSAGE", then when it answered, its bytes
// ("answer:", in hexadecimal or decimal) and their ASCII rendering ("answer text:"), one line
// per line of text.
QStringList resultLines(const PlayerResult &result, bool decimal);
