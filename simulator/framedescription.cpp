#include "simulator/framedescription.h"

#include <QDateTime>
#include <QStringList>

namespace {

using namespace CommandCategory;

// Three clock fields from `from` on, two digits each: a date "26-12-04" or a time "14:05:09".
QString clockFields(const QVector<int> &fields, int from, char separator)
{
    QStringList parts;
    for (int field = from; field < from + 3; ++field)
        parts << QStringLiteral("%1").arg(fields.at(field), 2, 10, QLatin1Char('0'));
    return parts.join(QLatin1Char(separator));
}

QString epochText(const QVector<int> &groups)
{
    qint64 seconds = 0;
    for (int group : groups)
        seconds = (seconds << 7) | group;
    return QStringLiteral("%1 (%2 UTC)")
        .arg(seconds)
        .arg(QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)
                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

QString relaysText(int bits)
{
    QStringList on;
    for (int relay = 0; relay < 8; ++relay) {
        if (bits & (1 << relay))
            on << QString::number(relay + 1);
    }
    return QStringLiteral("on: ") + (on.isEmpty() ? QStringLiteral("none") : on.join(' '));
}

QString parametersText(const PlayerCommand &command, const QVector<int> &numbers)
{
    const int first = numbers.value(0);
    switch (command.category) {
    case Folder:
        return first < 128 ? QString::number(first)
                           : QStringLiteral("%1 (bank %2, number %3)")
                                 .arg(first)
                                 .arg(first / 128)
                                 .arg(first % 128);
    case Volume:
        return QString::number(first);
    case ChangeId:
        return QStringLiteral("to %1").arg(first);
    case ContentFolder:
        return QStringLiteral("reference %1").arg(first);
    case ContentFolderOption:
        return QStringLiteral("reference %1 option %2").arg(first).arg(numbers.value(1));
    case Webradio:
        return QStringLiteral("preset %1").arg(first);
    case Relay:
        // Relays 1-4 are bits 0-3 of byte 0, relays 5-8 bits 0-3 of byte 1, over the stored bytes.
        return relaysText((first - command.dataMin.at(0)) |
                          (numbers.value(1) - command.dataMin.at(1)) << 4);
    case SetTime:
        return clockFields(numbers, 0, ':');
    case SetDate:
        return clockFields(numbers, 0, '-');
    case SetDateTime:
    case SetUtcDateTime:
        return clockFields(numbers, 0, '-') + ' ' + clockFields(numbers, 3, ':');
    case SetUtcEpoch:
        return epochText(numbers);
    default:
        return {};
    }
}

} // namespace

QString escapedText(const QByteArray &bytes)
{
    QString text;
    for (char c : bytes) {
        const auto byte = static_cast<quint8>(c);
        if (c == '\r')
            text += QStringLiteral("\\r");
        else if (c == '\n')
            text += QStringLiteral("\\n");
        else if (c == '\0')
            text += QStringLiteral("\\0");
        else if (byte >= 0x20 && byte < 0x7F && c != '\\')
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x") + QString::fromLatin1(QByteArray(1, c).toHex().toUpper());
    }
    return text;
}

QString describeFrame(const DecodedFrame &frame)
{
    QStringList fields{QString::fromLatin1(frame.bytes.toHex(' ').toUpper())};
    const int count = frame.bytes.size();
    if (!frame.command) {
        fields << QStringLiteral("undecodable (%1 %2)")
                      .arg(count)
                      .arg(count == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"));
        return fields.join(QStringLiteral("  "));
    }
    if (frame.playerId)
        fields << QStringLiteral("id %1").arg(*frame.playerId);
    const QString parameters =
        frame.numbers.isEmpty() ? QString() : parametersText(*frame.command, frame.numbers);
    fields << frame.command->label + (frame.command->category == Request ? "?" : "") +
                  (parameters.isEmpty() ? QString() : ' ' + parameters);
    if (!frame.verb.isEmpty()) {
        QStringList envelope{QString::fromLatin1(frame.verb)};
        // Quoted, a double quote inside as \x22.
        for (const QByteArray &text : frame.texts)
            envelope << '"' + escapedText(text).replace('"', QLatin1String("\\x22")) + '"';
        fields << envelope.join(' ');
    }
    return fields.join(QStringLiteral("  "));
}
