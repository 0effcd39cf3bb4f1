#pragma once

#include "catalogue/playermodel.h"
#include "simulator/decodedframe.h"
#include "simulator/devicestate.h"

#include <QByteArray>
#include <QString>

// What the device does about one frame.
struct DeviceReaction
{
    // Why a decoded frame changed nothing, when the device ignores it on purpose.
    QString note;
    // Bytes sent back: only requests are answered.
    QByteArray reply;
};

// The device side of one catalogue model: it follows the decoded frames in its state and
// answers requests, with a line ending in "\r\n", or for the on-demand model a zero-terminated
// text. Frames addressed to another player ID are left alone.
class SimulatedDevice
{
public:
    explicit SimulatedDevice(const PlayerModel &model);

    const PlayerModel &model() const { return m_model; }
    const DeviceState &state() const { return m_state; }

    DeviceReaction react(const DecodedFrame &frame);

private:
    QString apply(const DecodedFrame &frame);
    void step(int &value, int by, int lowest, int highest);

    PlayerModel m_model;
    DeviceState m_state;
    int m_lowestVolume = 0;
    int m_highestVolume = 0;
    int m_highestFolder = 999;
};
