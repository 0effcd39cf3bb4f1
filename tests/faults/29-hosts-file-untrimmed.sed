# zoxen-send takes a hosts file's lines with their spaces around the address.
# file: sender/sendercommandline.cpp
s/const QString host = line.trimmed();/const QString host = line;/
