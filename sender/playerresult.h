#pragma once

#include <QByteArray>
#include <QStringList>

// What became of the frame at one player.
struct PlayerResult
{
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
};

// The player's lines of output, each starting with its address so that a script can pick
// them out: "ADDRESS: sent" or "ADDRESS: not sent: MESSAGE" (for a sequence, its verdict); how many
// times it was listed, if more than once; when it answered, its bytes ("answer:", in hexadecimal or
// decimal) and the same bytes on one line as a session recording escapes them ("answer text:");
// then why the answer was cut short, if it was.
QStringList resultLines(const PlayerResult &result, bool decimal);
