#include "simulator/transcript.h"

#include "simulator/framedescription.h"

#include <cstdio>

void Transcript::frame(const DecodedFrame &frame)
{
    line(describeFrame(frame));
}

void Transcript::reply(const QByteArray &bytes)
{
    line(QStringLiteral("<- ") + escapedText(bytes));
}

void Transcript::event(const QString &text)
{
    line(QStringLiteral("-- ") + text);
}

void Transcript::line(const QString &text)
{
    std::fputs(text.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}
