# An address with 255 in it is refused when typed or pasted whole.
# file: connection/linksettings.cpp
s/address\[std::size_t(i)\] > 255)/address[std::size_t(i)] >= 255)/
