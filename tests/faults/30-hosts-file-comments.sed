# zoxen-send takes the comment lines of a hosts file for addresses.
# file: sender/sendercommandline.cpp
s/if (!host.isEmpty() \&\& !host.startsWith(QLatin1Char('#')))/if (!host.isEmpty())/
