# Saving a player drops the damaged lines that were left to be mended by hand.
# file: players/playersfile.cpp
s/        content += line.toUtf8() + '\\n';/        content += QByteArray();/
