# A frame that was not sent is recorded as sent.
# file: recording/sessionlines.cpp
s/return frameLine(time, "not sent", frame, name);/return frameLine(time, "sent", frame, name);/
