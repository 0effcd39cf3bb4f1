# zoxen-send reads a hosts file that holds a zero byte (UTF-16 text) line by line.
# file: sender/sendercommandline.cpp
s/if (content.contains('\\0'))/if (content.isNull())/
