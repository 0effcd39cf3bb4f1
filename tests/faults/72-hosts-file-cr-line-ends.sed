# zoxen-send takes a hosts file with CR line ends as one line.
# file: sender/sendercommandline.cpp
s/\.replace('\\r', '\\n')//
