#pragma once

#include "simulator/decodedframe.h"

#include <QByteArray>
#include <QString>

// The simulator's output on stdout, one line at a time and flushed at once, so that a script
// or a test reading the pipe sees each line when it happens. Frame lines begin with the
// frame's bytes, replies with "<- ", events with "-- ".
class Transcript
{
public:
    void frame(const DecodedFrame &frame);
    void reply(const QByteArray &bytes);
    void event(const QString &text);
    void line(const QString &text);
};
