# zoxen-send hands an address to the socket as it was typed: "127.000.000.010" reaches 127.0.0.8.
# file: sender/sendercommandline.cpp
s/return hostText(numbers->at(0), numbers->at(1), numbers->at(2), numbers->at(3));/return QString::fromLatin1(typed);/
