# A device that accepts and drops every connection is tried again four times a second, forever.
# file: link/devicelink.cpp
s/^        setState(State::Open);$/        m_attempt = 0;\n        setState(State::Open);/
