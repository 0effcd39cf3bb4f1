#pragma once

#include "catalogue/playermodel.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// The ID byte of a frame: the player ID read from its decimal text (unreadable text reads
// as 0), low 8 bits, plus 0x80, modulo 256; 0x80 when no ID is selected.
quint8 idByteFor(const QString &playerIdText, bool idSelected);

// The frame as it goes on the wire: ID byte (addressed family only), code, data.
QByteArray assembleFrame(int protocol, quint8 idByte, quint8 code, const ByteList &data);

// Bytes as label_Bytes_Sended shows them: separated by one space, two upper-case hexadecimal
// digits each, or decimal without padding.
QString bytesText(const QByteArray &bytes, bool decimal);

// The label's text converted to the other base, part by part; an unreadable or empty part
// reads as 0.
QString convertFrameText(const QString &text, bool toDecimal);

// The name by which a screen reader reads label_Bytes_Sended, in the window's language: what the
// label is, the bytes as it shows them, and what became of them when that is said under them.
QString sentBytesName(const QString &shownBytes, const QString &sendState);

// The data bytes with which a command found by category is sent: the stored bytes, or for
// the on-demand model the "cmd" text envelope of a code-4 command (nothing otherwise).
ByteList commandData(const PlayerModel &model, const PlayerCommand &command);

// Each text followed by one 00 byte.
ByteList zeroTerminated(const QList<QByteArray> &texts);

// The on-demand model's text envelope: 00 00 00, the verb ("cmd", "get", "set"), 00, then
// the given texts each followed by 00.
ByteList textEnvelope(const QByteArray &verb, const QList<QByteArray> &texts);

// The data of a request: the stored bytes, or the "get" envelope for the on-demand model.
ByteList requestData(const PlayerModel &model, const PlayerCommand &request);

// One reading of the computer's clock, so that all bytes of a command come from one instant.
struct ClockReading
{
    QDateTime local;
    QDateTime utc;
    qint64 msecsSinceEpoch = 0;
};

// The data of an "other command": the clock bytes for the clock categories, else the stored
// bytes as they are.
ByteList otherCommandData(const PlayerCommand &command, const ClockReading &clock);

// The numbers chosen for a playback source, as read from their combo boxes.
struct LaunchChoice
{
    int reference = 0;
    int option = 0;
    int preset = 0;
};

// The data of a content launch; empty when nothing can be built.
ByteList launchData(const PlayerModel &model, const PlayerCommand &source,
                    const LaunchChoice &choice);

// The relay command's stored bytes with the checked relays added as bits: relays 1-4 are
// bits 0-3 of byte 0, relays 5-8 bits 0-3 of byte 1.
ByteList relayData(const PlayerCommand &relay, const QVector<bool> &checked);
