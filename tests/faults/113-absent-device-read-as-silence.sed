# A serial device that is not there is shown as a player that does not answer.
# file: link/devicelink.cpp
s/            fail(serialErrorMessage(QSerialPort::DeviceNotFoundError), LinkFailure::Absent);/            fail(serialErrorMessage(QSerialPort::DeviceNotFoundError));/
