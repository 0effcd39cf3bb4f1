# The window's icon, taken off start-up, is never set.
# file: app/mainwindow.cpp
s/setWindowIcon(QIcon(/(void)(QIcon(/
