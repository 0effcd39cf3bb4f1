# Tunebox (Serial)'s Previous File sends code 0x25 instead of 0x24.
# file: catalogue/playercatalogue.cpp
s/{"Previous File", PreviousFile, 0x24, unused, same}/{"Previous File", PreviousFile, 0x25, unused, same}/
