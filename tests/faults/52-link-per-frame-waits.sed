# A per-frame link, whose device closes after each answer, waits for its device when lost.
# file: link/devicelink.cpp
s/const bool waits = lost \&\& m_waitsForLostDevice \&\& !m_target.perFrame;/const bool waits = lost \&\& m_waitsForLostDevice;/
