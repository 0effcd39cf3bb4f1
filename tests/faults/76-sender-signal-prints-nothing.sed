# zoxen-send dies on SIGINT or SIGTERM and prints none of the players that got the frame.
# file: sender/main.cpp
s/quitOnSignals.install();/(void)quitOnSignals;/
