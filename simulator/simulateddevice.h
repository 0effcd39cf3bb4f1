#pragma once

#include "simulator/framereaders.h"

#include <QString>

// What the device does about one frame.
struct DeviceReaction
{
    // Why a decoded frame changed nothing, when the device ignores it on purpose.
    QString note;
    // Bytes sent back: only requests are answered.
    QByteArray reply;
};

// The device side of one catalogue model: it follows the decoded frames in a small state and
// answers requests with a line ending in "\r\n", or for the on-demand model a zero-terminated
// text. Frames addressed to another player ID are left alone.
class SimulatedDevice
{
public:
    explicit SimulatedDevice(const PlayerModel &model);

    const PlayerModel &model() const { return m_model; }
    int playerId() const { return m_playerId; }

    DeviceReaction react(const DecodedFrame &frame);

private:
    QString apply(int category, int number, const QString &label);
    // The request's label in capitals, a colon and the value asked for ("VOLUME: 40"); "NONE"
    // for values that the device does not keep.
    QString answer(const QString &label) const;

    PlayerModel m_model;
    // As the status names it: "PLAYING", "PAUSED" or "STOPPED".
    QString m_playback = QStringLiteral("STOPPED");
    int m_folder = 0;
    int m_file = 1;
    // What plays instead of a folder (a web radio preset, another source), as the status
    // names it; empty while a folder plays.
    QString m_source;
    // In the console's scale, the slider value.
    int m_volume = 0;
    int m_lowestVolume = 0;
    int m_highestVolume = 0;
    int m_highestFolder = 999;
    bool m_muted = false;
    bool m_standby = false;
    int m_playerId = 0;
};
