# A zero byte received shows as a blank where the font has no symbol for it.
# file: receive/receivedview.cpp
s/    if (offset < 0)$/    if (true)/
