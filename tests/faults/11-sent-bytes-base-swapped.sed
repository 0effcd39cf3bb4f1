# Converting the sent bytes between bases reads each byte in the base it converts to.
# file: transmission/frames.cpp
s/part.toInt(nullptr, toDecimal ? 16 : 10)/part.toInt(nullptr, toDecimal ? 10 : 16)/
