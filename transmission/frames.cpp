#include "transmission/frames.h"
#include "transmission/envelope.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString byteText(int value, bool decimal)
{
    return decimal ? QString::number(value)
                   : QString::number(value, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

void placeBigEndian(ByteList &data, int number)
{
    data[0] = static_cast<quint8>(number / 256);
    data[1] = static_cast<quint8>(number);
}

quint8 yearByte(const QDate &date)
{
    return static_cast<quint8>(date.year() % 100);
}

ByteList dateTimeBytes(const QDateTime &instant)
{
    const QDate date = instant.date();
    const QTime time = instant.time();
    return {yearByte(date),
            static_cast<quint8>(date.month()),
            static_cast<quint8>(date.day()),
            static_cast<quint8>(time.hour()),
            static_cast<quint8>(time.minute()),
            static_cast<quint8>(time.second())};
}

ByteList epochBytes(qint64 msecsSinceEpoch)
{
    // Five groups of seven bits hold 35 bits of seconds; higher bits are dropped.
    const qint64 seconds = msecsSinceEpoch / 1000;
    ByteList bytes;
    for (int shift = 28; shift >= 0; shift -= 7)
        bytes.append(static_cast<quint8>((seconds >> shift) & 0x7F));
    return bytes;
}

} // namespace

quint8 idByteFor(const QString &playerIdText, bool idSelected)
{
    if (!idSelected)
        return 0x80;
    return static_cast<quint8>(static_cast<quint8>(playerIdText.toInt()) + 0x80);
}

QByteArray assembleFrame(int protocol, quint8 idByte, quint8 code, const ByteList &data)
{
    QByteArray frame;
    frame.reserve(data.size() + 2);
    if (protocol == 0)
        frame.append(static_cast<char>(idByte));
    frame.append(static_cast<char>(code));
    for (quint8 byte : data)
        frame.append(static_cast<char>(byte));
    return frame;
}

QString bytesText(const QByteArray &bytes, bool decimal)
{
    QStringList parts;
    for (char byte : bytes)
        parts.append(byteText(static_cast<quint8>(byte), decimal));
    return parts.join(QLatin1Char(' '));
}

QString convertFrameText(const QString &text, bool toDecimal)
{
    QStringList parts = text.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    for (QString &part : parts)
        part = byteText(part.toInt(nullptr, toDecimal ? 16 : 10), toDecimal);
    return parts.join(QLatin1Char(' '));
}

QString sentBytesName(const QString &shownBytes, const QString &sendState)
{
    const QString bytes =
        sendState.isEmpty() ? shownBytes : QStringLiteral("%1 (%2)").arg(shownBytes, sendState);
    return QCoreApplication::translate("MainWindow", "Command bytes sent: %1").arg(bytes);
}

ByteList commandData(const PlayerModel &model, const PlayerCommand &command)
{
    if (!model.isOnDemand())
        return command.dataMin;
    if (command.code == 4 && command.holdsText())
        return textEnvelope(Envelope::commandVerb, {command.storedText()});
    return {};
}

ByteList zeroTerminated(const QList<QByteArray> &texts)
{
    ByteList data;
    for (const QByteArray &text : texts) {
        for (char c : text)
            data.append(static_cast<quint8>(c));
        data.append(0x00);
    }
    return data;
}

ByteList textEnvelope(const QByteArray &verb, const QList<QByteArray> &texts)
{
    return ByteList(Envelope::zeroBytes, 0x00) + zeroTerminated(QList<QByteArray>{verb} + texts);
}

ByteList requestData(const PlayerModel &model, const PlayerCommand &request)
{
    if (!model.isOnDemand())
        return request.dataMin;
    if (request.holdsText())
        return textEnvelope(Envelope::requestVerb, {request.storedText()});
    return {};
}

ByteList otherCommandData(const PlayerCommand &command, const ClockReading &clock)
{
    switch (command.category) {
    case CommandCategory::SetTime:
        return dateTimeBytes(clock.local).mid(3);
    case CommandCategory::SetDate:
        return dateTimeBytes(clock.local).mid(0, 3);
    case CommandCategory::SetDateTime:
        return dateTimeBytes(clock.local);
    case CommandCategory::SetUtcEpoch:
        return epochBytes(clock.msecsSinceEpoch);
    case CommandCategory::SetUtcDateTime:
        return dateTimeBytes(clock.utc);
    default:
        return command.dataMin;
    }
}

ByteList launchData(const PlayerModel &model, const PlayerCommand &source,
                    const LaunchChoice &choice)
{
    if (!model.isTcp()) {
        ByteList data = source.dataMin;
        switch (source.category) {
        case CommandCategory::ContentFolder:
            if (data.size() >= 2)
                placeBigEndian(data, choice.reference);
            break;
        case CommandCategory::ContentFolderOption:
            if (data.size() >= 3) {
                placeBigEndian(data, choice.reference);
                data[2] = static_cast<quint8>(choice.option);
            }
            break;
        case CommandCategory::Webradio:
            if (data.size() >= 2)
                placeBigEndian(data, choice.preset);
            break;
        default:
            break;
        }
        return data;
    }

    if (!source.holdsText())
        return {};
    QByteArray number;
    switch (source.category) {
    case CommandCategory::ContentFolder:
        number = QByteArray::number(choice.reference);
        break;
    case CommandCategory::Webradio:
        number = QByteArray::number(choice.preset);
        break;
    case CommandCategory::AlternateSource:
        number = Envelope::noNumber;
        break;
    default:
        break;
    }
    return textEnvelope(Envelope::commandVerb, {source.storedText(), number, Envelope::noNumber});
}

ByteList relayData(const PlayerCommand &relay, const QVector<bool> &checked)
{
    ByteList data = relay.dataMin;
    for (int relayIndex = 0; relayIndex < 8; ++relayIndex) {
        const int byteIndex = relayIndex / 4;
        if (checked.value(relayIndex) && byteIndex < data.size())
            data[byteIndex] = static_cast<quint8>(data[byteIndex] + (1 << (relayIndex % 4)));
    }
    return data;
}
