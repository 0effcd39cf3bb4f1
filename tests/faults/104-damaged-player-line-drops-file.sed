# One damaged line in the players file loses every player after it.
# file: players/playersfile.cpp
s/^        saved.damagedLines.append(line);/        saved.damagedLines.append(line);\n        break;/
