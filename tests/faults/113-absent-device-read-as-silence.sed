# A serial device that is not there is shown as a player that does not answer.
# file: link/devicelink.cpp
/^    case QSerialPort::DeviceNotFoundError:/,+1d
