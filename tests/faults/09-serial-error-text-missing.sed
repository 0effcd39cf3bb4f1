# The text of one serial error is missing: every later error shows the next one's text.
# file: connection/linksettings.cpp
/"Break condition error."/d
