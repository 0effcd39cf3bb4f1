# A players file too large or not a file is replaced by the next player saved.
# file: players/playersfile.cpp
/        refused.refused = true;/d
