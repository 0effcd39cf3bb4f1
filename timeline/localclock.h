#pragma once

#include <QDateTime>

#include <functional>

// The local time now, as QDateTime::currentDateTime() gives it, for the times of what a link
// does. That reads the system's time zone again at each call, five file lookups, and a device
// that streams asks for the time of each chunk: this clock looks the offset from UTC up once a
// second instead, which loses nothing, since the offset only ever changes at a whole second.
// Each copy of the clock keeps its own.
std::function<QDateTime()> localClock();
