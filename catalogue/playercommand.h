#pragma once

#include "catalogue/commandcategory.h"

#include <QByteArray>
#include <QString>
#include <QVector>

using ByteList = QVector<quint8>;

struct PlayerCommand
{
    PlayerCommand() = default;
    PlayerCommand(const QString &label, int category, quint8 code, const ByteList &dataMin,
                  const ByteList &dataMax);

    QString label;
    int category = CommandCategory::Misc;
    quint8 code = 0;
    ByteList dataMin;
    ByteList dataMax;

    // The range of bytes 0 and 1 read as one 16-bit number, high byte first: references,
    // presets, and the volume of the unaddressed family. Both lists need two bytes.
    int wordMin() const { return dataMin.at(0) * 256 + dataMin.at(1); }
    int wordMax() const { return dataMax.at(0) * 256 + dataMax.at(1); }

    // Whether bytes 2 onward hold the text of an on-demand command, and that text.
    bool holdsText() const { return dataMin.size() >= 3 && dataMax.size() >= 3; }
    QByteArray storedText() const;

    bool operator==(const PlayerCommand &other) const;
};
