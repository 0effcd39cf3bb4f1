#include "players/playerstate.h"
#include "recording/sessionlines.h"

#include <QtGlobal>

const char *playerStateText(PlayerState state)
{
    switch (state) {
    case PlayerState::Answers:
        return QT_TRANSLATE_NOOP("PlayerState", "answers");
    case PlayerState::Refused:
        return QT_TRANSLATE_NOOP("PlayerState", "refused");
    case PlayerState::NoAnswer:
        return QT_TRANSLATE_NOOP("PlayerState", "no answer");
    case PlayerState::NotPresent:
        return QT_TRANSLATE_NOOP("PlayerState", "not present");
    case PlayerState::NotChecked:
        break;
    }
    return QT_TRANSLATE_NOOP("PlayerState", "not checked");
}

QString firstAnswerLine(const QByteArray &answer)
{
    constexpr int longest = 120;
    qsizetype end = answer.size();
    for (const char lineEnd : {'\r', '\n'}) {
        const qsizetype at = answer.indexOf(lineEnd);
        if (at >= 0 && at < end)
            end = at;
    }
    return QString::fromLatin1(SessionLine::escapedAscii(answer.left(end))).left(longest);
}
