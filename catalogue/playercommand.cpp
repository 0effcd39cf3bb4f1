#include "catalogue/playercommand.h"

PlayerCommand::PlayerCommand(const QString &label, int category, quint8 code,
                             const ByteList &dataMin, const ByteList &dataMax)
    : label(label)
    , category(category)
    , code(code)
    , dataMin(dataMin)
    , dataMax(dataMax)
{}

QByteArray PlayerCommand::storedText() const
{
    QByteArray text;
    for (int i = 2; i < dataMin.size(); ++i)
        text.append(static_cast<char>(dataMin.at(i)));
    return text;
}

bool PlayerCommand::operator==(const PlayerCommand &other) const
{
    return label == other.label && category == other.category && code == other.code &&
           dataMin == other.dataMin && dataMax == other.dataMax;
}
