# One damaged line in the players file loses every player after it.
# file: players/playersfile.cpp
s/            saved.problems.append(QStringLiteral("line %1: %2").arg(index + 1).arg(problem));/{ saved.problems.append(QStringLiteral("line %1: %2").arg(index + 1).arg(problem)); break; }/
