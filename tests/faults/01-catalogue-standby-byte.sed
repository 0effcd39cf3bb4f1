# Standby sends the byte of Wakeup: one byte of a catalogue command wrong.
# file: catalogue/playercatalogue.cpp
s/{"Standby", Standby, 0x02, {0x0C}, same}/{"Standby", Standby, 0x02, {0x0D}, same}/
