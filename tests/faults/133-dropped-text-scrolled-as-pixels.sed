# Once the oldest text is dropped, the screen shows lines that are no longer where it puts them.
# file: receive/receivedview.cpp
/^void ReceivedDataView::followDroppedText/,/^}/s/^    m_drawnLastLineStart = -1;$//
