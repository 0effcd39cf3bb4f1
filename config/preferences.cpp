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
        else if (name == "sequence" && !value.isEmpty())
            preferences.recentSequences << QString::fromUtf8(line.mid(equals + 1));
    }
    return preferences;
}

QByteArray formatPreferences(const Preferences &preferences)
{
    QByteArray content = QByteArray("timeline=") + (preferences.timeline ? "on" : "off") + '\n';
    // A path is one line: one holding a line break is not kept.
    for (const QString &path : preferences.recentSequences) {
        if (!path.contains(QLatin1Char('\n')))
            content += "sequence=" + path.toUtf8() + '\n';
    }
    return content;
}
