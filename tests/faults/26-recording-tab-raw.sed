# The recording leaves a tab as it is, which splits the line's fields.
# file: recording/sessionlines.cpp
s/out += "\\\\t";/out += c;/
