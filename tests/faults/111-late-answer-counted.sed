# An answer that comes long after the wait still counts: a slow player reads as answering.
# file: players/statuscheck.cpp
s/        m_timer.start(m_answerWaitMs);/        m_timer.start(m_answerWaitMs * 10);/
