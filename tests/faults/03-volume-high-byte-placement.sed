# The unaddressed models' 16-bit volume: the high byte goes second, the low byte first.
# file: transmission/controlframe.cpp
s/data\[0\] = quint8(value >> 8);/data[1] = quint8(value >> 8);/
s/data\[1\] = quint8(value);/data[0] = quint8(value);/
