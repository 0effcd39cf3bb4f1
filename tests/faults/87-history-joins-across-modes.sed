# Reads in different modes are kept as one: the plain view shown again renders them in one mode.
# file: timeline/linkhistory.cpp
s/last.kind == LinkEvent::Kind::Received \&\& last.mode == mode \&\&/last.kind == LinkEvent::Kind::Received \&\&/
