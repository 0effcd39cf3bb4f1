# A recorded pause keeps the milliseconds of the user's hesitation.
# file: sequence/sequencemenu.cpp
s/const qint64 pause = (m_lastPress.msecsTo(now) + 50) \/ 100 \* 100;/const qint64 pause = m_lastPress.msecsTo(now);/
