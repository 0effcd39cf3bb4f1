# The recording's time offset is wrong west of UTC: the minutes are not taken positive.
# file: recording/sessionlines.cpp
s/const int minutes = qAbs(secondsFromUtc) \/ 60;/const int minutes = secondsFromUtc \/ 60;/
