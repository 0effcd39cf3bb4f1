# After a command, a screen reader reads the bytes without saying what they are, and never
# "Not sent".
# file: transmission/mainwindow_transmission.cpp
0,/^    describeSentBytes();$/{/^    describeSentBytes();$/d}
