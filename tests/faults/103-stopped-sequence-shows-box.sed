# A sequence stopped from the menu pops up a box as if it had failed.
# file: sequence/sequencemenu.cpp
s/    if (std::exchange(m_stoppedHere, false))$/    if (std::exchange(m_stoppedHere, false) \&\& false)/
