#include "players/playerresult.h"

#include "recording/sessionlines.h"
#include "transmission/frames.h"

QStringList resultLines(const PlayerResult &result, bool decimal)
{
    const QString prefix = result.address + QStringLiteral(": ");
    const QString oneLineError = QString(result.error).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QStringList lines{prefix + (!result.verdict.isEmpty() ? result.verdict
                                : result.sent             ? QStringLiteral("sent")
                                              : QStringLiteral("not sent: ") + oneLineError)};
    if (result.timesListed > 1)
        lines.append(prefix +
                     QStringLiteral("listed %1 times, counted once").arg(result.timesListed));
    if (!result.answer.isEmpty()) {
        lines.append(prefix + QStringLiteral("answer: ") + bytesText(result.answer, decimal));
        // A zero byte would end the line for many readers, a line break make two players of one.
        lines.append(prefix + QStringLiteral("answer text: ") +
                     QString::fromLatin1(SessionLine::escapedAscii(result.answer)));
    }
    if (result.sent && !result.error.isEmpty())
        lines.append(prefix + oneLineError);
    return lines;
}

QString checkLine(const PlayerResult &result)
{
    const bool linkOpens = result.state == PlayerState::Answers && result.answer.isEmpty();
    return QStringList{result.address, QString::fromLatin1(playerStateText(result.state)),
                       result.roundTripMs < 0 ? QStringLiteral("-")
                                              : QStringLiteral("%1 ms").arg(result.roundTripMs),
                       linkOpens ? QStringLiteral("link opens") : firstAnswerLine(result.answer)}
        .join(QLatin1Char('\t'));
}
