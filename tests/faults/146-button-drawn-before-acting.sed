# The window's buttons are left to draw themselves released before they act.
# file: app/mainwindow.cpp
s/^    new ButtonsActFirst(this);$//
