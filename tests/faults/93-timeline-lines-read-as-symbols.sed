# A screen reader hears the timeline's own line breaks as the symbol of a received byte.
# file: receive/receiveddisplay.cpp
s/m_view->setOwnLineBreaks(m_timeline);/m_view->setOwnLineBreaks(false);/
