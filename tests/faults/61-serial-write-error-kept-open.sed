# A serial write that fails leaves the link open.
# file: link/serialsetup.cpp
s/error == QSerialPort::WriteError;/false;/
