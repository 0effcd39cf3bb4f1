# Text that extends the last line shown leaves that line on the screen as it was, cut short.
# file: receive/receivedview.cpp
s/: m_store.lineOf(m_drawnLastLineStart);$/: m_store.lineOf(m_drawnLastLineStart) + 1;/
