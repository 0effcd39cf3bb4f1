# The simulator takes any number given to --baud.
# file: simulator/commandline.cpp
s/options.baudRate = acceptedBaudRate(parser.value(baud).toInt());/options.baudRate = parser.value(baud).toInt();/
