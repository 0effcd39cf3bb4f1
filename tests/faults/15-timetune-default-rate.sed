# Timetune's default baud rate is 9600 instead of 19200.
# file: catalogue/playercatalogue.cpp
s/{"Timetune", addressed, serial, 0, 127, 8, 19200,/{"Timetune", addressed, serial, 0, 127, 8, 9600,/
