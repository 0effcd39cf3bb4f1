# After a stream that filled more than a page at each refresh, the text that follows is not shown.
# file: receive/receivedview.cpp
s/^    if (m_refreshTimer.isActive())$/    if (m_refreshTimer.isActive() || m_flooded)/
