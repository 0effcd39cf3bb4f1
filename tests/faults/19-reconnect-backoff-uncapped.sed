# A lost device is tried again up to four seconds apart instead of two.
# file: connection/serialports.cpp
s/{250, 500, 1000, 2000}/{250, 500, 1000, 2000, 4000}/
