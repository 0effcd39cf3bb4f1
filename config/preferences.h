#pragma once

#include <QByteArray>
#include <QStringList>

// What the console remembers beyond its settings file, whose 24 lines other versions read and
// which therefore stays as it is. UTF-8 lines "name=value"; unknown names and damaged lines are
// skipped, so that a file written by a later version still gives what this one knows.
struct Preferences
{
    bool timeline = false;
    // The sequence files run last, most recent first.
    QStringList recentSequences;
};

Preferences parsePreferences(const QByteArray &content);
QByteArray formatPreferences(const Preferences &preferences);
