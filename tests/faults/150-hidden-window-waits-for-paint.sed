# A window that is not shown waits for a paint that never comes: its port list is never read.
# file: startup/afterfirstpaint.cpp
s/if (!m_widget || !m_widget->isVisible())/if (!m_widget)/
