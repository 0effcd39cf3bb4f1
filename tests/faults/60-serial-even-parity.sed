# Every program sets serial lines up with even parity.
# file: link/serialsetup.cpp
s/QSerialPort::NoParity/QSerialPort::EvenParity/
