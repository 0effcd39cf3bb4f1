# A lost player that comes back reads as a connection made anew.
# file: receive/receiveddisplay.cpp
s/before == DeviceLink::State::Waiting ? LinkEvent::Kind::Back/before == DeviceLink::State::Connecting ? LinkEvent::Kind::Back/
