# The commands are usable while a connection of Connect is still being made.
# file: connection/mainwindow_links.cpp
s/(state == DeviceLink::State::Connecting \&\& perFrame)/state == DeviceLink::State::Connecting/
