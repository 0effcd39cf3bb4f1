# When only the lower part of the view is drawn again, its last lines stay as they were.
# file: receive/receivedview.cpp
s/qMax(0, area.bottom() - topMargin) \/ lineHeight + 1);/qMax(0, area.height() - topMargin) \/ lineHeight + 1);/
