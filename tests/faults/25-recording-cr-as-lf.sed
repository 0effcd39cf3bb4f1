# The recording escapes a carriage return as \n.
# file: recording/sessionlines.cpp
s/out += "\\\\r";/out += "\\\\n";/
