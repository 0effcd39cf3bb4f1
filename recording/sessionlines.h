#pragma once

#include "transmission/controlframe.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The lines of a session recording: UTF-8, one event a line, fields separated by tabs so that
// a spreadsheet or a script splits them without guessing:
//   time  sent      bytes in hexadecimal  command name with its parameter
//   time  not sent  bytes in hexadecimal  command name with its parameter
//   time  received  bytes in hexadecimal  the bytes as ASCII, others escaped
//   time  link       what happened to the link: connected, disconnected, an error
//   time  model      the model chosen
//   time  recording  started, stopped
// The time is local, to the millisecond, with its offset from UTC.
namespace SessionLine {

QByteArray sent(const QDateTime &time, const QByteArray &frame, const QString &name);
QByteArray notSent(const QDateTime &time, const QByteArray &frame, const QString &name);
QByteArray received(const QDateTime &time, const QByteArray &chunk);
// kind: "link", "model" or "recording"; the text is made one line.
QByteArray event(const QDateTime &time, const char *kind, const QString &text);

// Upper-case hexadecimal pairs separated by single spaces.
QByteArray hexBytes(const QByteArray &bytes);
// Printable ASCII as it is; backslash, CR, LF, tab and NUL as \\, \r, \n, \t, \0; any other
// byte as \xHH. The result never holds a tab or a line break.
QByteArray escapedAscii(const QByteArray &bytes);
QByteArray timeText(const QDateTime &time);

} // namespace SessionLine
