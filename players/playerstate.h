#pragma once

#include <QByteArray>
#include <QString>

// What a check found of a player.
enum class PlayerState
{
    NotChecked,
    Answers,
    Refused,
    NoAnswer,
    NotPresent,
};

// The state in words, "answers" to "not checked"; the window translates them in the context
// "PlayerState".
const char *playerStateText(PlayerState state);

// The first line of an answer, as a session recording escapes its bytes: up to its first line
// end (CR or LF) and at most 120 characters.
QString firstAnswerLine(const QByteArray &answer);
