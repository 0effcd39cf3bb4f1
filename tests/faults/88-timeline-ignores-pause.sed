# Bytes after a pause go on the line before, with its time.
# file: timeline/timelinetext.cpp
s/bool continues = m_lineOpen \&\& firstMsecs - m_lastReceivedMsecs < timelinePauseMs;/bool continues = m_lineOpen;/
