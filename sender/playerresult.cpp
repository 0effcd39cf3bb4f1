#include "sender/playerresult.h"

#include "receive/receivedtext.h"

#include <QRegularExpression>

QStringList resultLines(const PlayerResult &result, bool decimal)
{
    const QString prefix = result.address + QStringLiteral(": ");
    if (!result.sent)
        return {prefix + QStringLiteral("not sent: ") +
                QString(result.error).replace(QLatin1Char('\n'), QLatin1Char(' '))};
    QStringList lines{prefix + QStringLiteral("sent")};
    if (result.answer.isEmpty())
        return lines;
    ReceiveDecoderState state;
    lines.append(prefix + QStringLiteral("answer: ") +
                 renderReceivedChunk(result.answer,
                                     decimal ? ReceiveMode::Decimal : ReceiveMode::Hexadecimal,
                                     state)
                     .trimmed());
    state.reset();
    const QString text = renderReceivedChunk(result.answer, ReceiveMode::Ascii, state);
    const QStringList textLines =
        text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")), Qt::SkipEmptyParts);
    for (const QString &line : textLines)
        lines.append(prefix + QStringLiteral("answer text: ") + line);
    return lines;
}
