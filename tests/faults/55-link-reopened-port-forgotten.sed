# A serial adapter found again under another name is not known by it.
# file: link/devicelink.cpp
/^    m_target.port = port;$/d
