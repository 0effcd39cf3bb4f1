#pragma once

#include "catalogue/playermodel.h"
#include "simulator/decodedframe.h"

#include <QByteArray>
#include <QVector>

// Finds which of a model's commands a code byte and its data bytes stand for: the code must be
// the command's (the folder command's plus a bank in the upper four bits), fixed bytes must be
// as stored, parameter bytes within their ranges.
class CommandMatcher
{
public:
    explicit CommandMatcher(const PlayerModel &model);

    const PlayerModel &model() const { return m_model; }

    // Indexes of the commands that this code byte may belong to, in catalogue order.
    const QVector<int> &candidates(quint8 code) const { return m_byCode.at(code); }
    int dataLength(int commandIndex) const;
    // The longest data of the commands with this code; -1 when there is none.
    int longestDataLength(quint8 code) const;

    // Fills the command and its parameters into `frame` when the bytes fit the command.
    bool match(int commandIndex, quint8 code, const QByteArray &data, DecodedFrame &frame) const;

private:
    PlayerModel m_model;
    QVector<QVector<int>> m_byCode;
};
