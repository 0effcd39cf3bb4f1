#include "config/preferences.h"

#include <QList>

Preferences parsePreferences(const QByteArray &content)
{
    Preferences preferences;
    for (const QByteArray &line : content.split('\n')) {
        const int equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray name = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (name == "timeline" && (value == "on" || value == "off"))
            preferences.timeline = value == "on";
    }
    return preferences;
}

QByteArray formatPreferences(const Preferences &preferences)
{
    return QByteArray("timeline=") + (preferences.timeline ? "on" : "off") + '\n';
}
