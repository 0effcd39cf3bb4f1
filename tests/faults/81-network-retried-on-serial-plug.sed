# Every serial device plugged in or out makes a waiting network link try again at once.
# file: link/devicelink.cpp
s/if (!m_retryTimer.isActive())$/if (true)/
