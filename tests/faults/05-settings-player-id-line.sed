# The settings reader takes the player ID from line 21 instead of 20.
# file: config/configuration.cpp
s/constexpr int playerIdLine = 20;/constexpr int playerIdLine = 21;/
