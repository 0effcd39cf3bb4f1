# A connection that is never answered is never given up.
# file: link/devicelink.cpp
/m_connectTimer.start(m_connectTimeoutMs);/d
