# 57600 bit/s is not an accepted rate.
# file: connection/linksettings.cpp
/case 57600:/d
