# A frame already on its way when the recording starts is recorded in it.
# file: recording/sessionrecording.cpp
s/frame <= m_lastFrameBefore/frame < m_lastFrameBefore/
