# The simulator answers the volume request with the folder number.
# file: simulator/simulateddevice.cpp
s/{"volume", volume},/{"volume", folder},/
