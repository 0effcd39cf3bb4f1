# Clear empties the view but not what the link did: the other view shows it all again.
# file: receive/receiveddisplay.cpp
s/^    m_history.clear();$//
