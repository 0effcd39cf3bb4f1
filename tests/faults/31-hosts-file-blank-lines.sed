# zoxen-send takes the blank lines of a hosts file for empty addresses.
# file: sender/sendercommandline.cpp
s/if (!host.isEmpty() \&\& !host.startsWith/if (!host.startsWith/
