#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>

// Players' addresses, each once in the order first given, as four decimal numbers without
// padding, and how many times each was given.
struct HostList
{
    QStringList hosts;
    QHash<QString, int> timesListed;

    // Four decimal numbers 0 to 255, zeros in front or not; why it is no address otherwise.
    QString add(const QByteArray &typed);
    // One address a line, blank lines and lines starting with # aside: the first bad line's
    // number and why, or that there is no address at all, said of `where`.
    QString addLines(const QByteArray &content, const QString &where);
};
