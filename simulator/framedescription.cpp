#include "simulator/framedescription.h"

#include "catalogue/commandcategory.h"

#include <QDateTime>
#include <QStringList>

namespace {

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString clockText(const ClockValues &clock)
{
    if (clock.epochSeconds >= 0) {
        return QStringLiteral("%1 (%2 UTC)")
            .arg(clock.epochSeconds)
            .arg(QDateTime::fromSecsSinceEpoch(clock.epochSeconds, Qt::UTC)
                     .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    QStringList parts;
    if (clock.year >= 0)
        parts << twoDigits(clock.year) + '-' + twoDigits(clock.month) + '-' + twoDigits(clock.day);
    if (clock.hour >= 0)
        parts << twoDigits(clock.hour) + ':' + twoDigits(clock.minute) + ':' +
                     twoDigits(clock.second);
    return parts.join(' ');
}

QString folderText(int folder)
{
    const int bank = folder / 128;
    if (bank == 0)
        return QString::number(folder);
    return QStringLiteral("%1 (bank %2, number %3)").arg(folder).arg(bank).arg(folder % 128);
}

QString relaysText(int relays)
{
    QStringList on;
    for (int relay = 0; relay < 8; ++relay) {
        if (relays & (1 << relay))
            on << QString::number(relay + 1);
    }
    return QStringLiteral("on: ") + (on.isEmpty() ? QStringLiteral("none") : on.join(' '));
}

QString commandText(const DecodedFrame &frame)
{
    QString text = frame.label;
    if (frame.category == CommandCategory::Request)
        text += '?';
    if (frame.folder)
        text += ' ' + folderText(*frame.folder);
    if (frame.volume)
        text += ' ' + QString::number(*frame.volume);
    if (frame.newId)
        text += QStringLiteral(" to %1").arg(*frame.newId);
    if (frame.reference)
        text += QStringLiteral(" reference %1").arg(*frame.reference);
    if (frame.option)
        text += QStringLiteral(" option %1").arg(*frame.option);
    if (frame.preset)
        text += QStringLiteral(" preset %1").arg(*frame.preset);
    if (frame.relays)
        text += ' ' + relaysText(*frame.relays);
    if (frame.clock)
        text += ' ' + clockText(*frame.clock);
    return text;
}

} // namespace

QString hexBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

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
            text += QStringLiteral("\\x") +
                    QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

QString quotedText(const QByteArray &text)
{
    return '"' + escapedText(text).replace('"', QLatin1String("\\x22")) + '"';
}

QString describeFrame(const DecodedFrame &frame)
{
    QStringList fields{hexBytes(frame.bytes)};
    if (!frame.decoded) {
        const int count = frame.bytes.size();
        fields << QStringLiteral("undecodable (%1 %2)")
                      .arg(count)
                      .arg(count == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"));
        return fields.join(QStringLiteral("  "));
    }
    if (frame.playerId)
        fields << QStringLiteral("id %1").arg(*frame.playerId);
    fields << commandText(frame);
    if (!frame.verb.isEmpty()) {
        QStringList envelope{QString::fromLatin1(frame.verb)};
        for (const QByteArray &text : frame.texts)
            envelope << quotedText(text);
        fields << envelope.join(' ');
    }
    return fields.join(QStringLiteral("  "));
}
