# A file that does not take the lines (a FIFO whose reader stopped reading) lets the recording grow in memory without end, and no message comes.
# file: recording/sessionrecorder.cpp
s/if (m_pending.size() + m_writer->unwritten() > m_bufferBytes)/if (m_pending.size() + m_writer->unwritten() < 0)/
