#pragma once

#include <QString>

#include <cstdio>

// The simulator's output on stdout, one line at a time and flushed at once, so that a script
// or a test reading the pipe sees each line when it happens. Frame lines begin with the
// frame's bytes, replies with "<- ", events with "-- ".
inline void printLine(const QString &text)
{
    std::fputs(text.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

inline void printEvent(const QString &text)
{
    printLine(QStringLiteral("-- ") + text);
}
