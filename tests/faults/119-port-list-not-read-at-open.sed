# A window that is shown never reads the port list as it opens: the port field stays empty
# until its list is opened.
# file: connection/serialportlist.cpp
/^        QTimer::singleShot(0, this, &SerialPortList::refresh);/d
