#pragma once

#include "catalogue/commandcategory.h"

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

    bool operator==(const PlayerCommand &other) const;
};
