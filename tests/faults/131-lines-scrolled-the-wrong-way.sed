# As new lines come, the lines already shown move down the screen instead of up.
# file: receive/receivedview.cpp
s/viewport()->scroll(0, dy \* m_metrics.lineSpacing());/viewport()->scroll(0, -dy * m_metrics.lineSpacing());/
