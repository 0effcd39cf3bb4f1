# "Every N s" checks once and never again.
# file: players/sitestatuswindow.cpp
s/            m_refresh.start(m_seconds->value() \* 1000);/            m_refresh.setInterval(m_seconds->value() * 1000);/
