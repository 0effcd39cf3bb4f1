# zoxen-send ignores --port given with a serial model instead of refusing it.
# file: sender/sendercommandline.cpp
s/ || parser.isSet(options.hostsFile) || parser.isSet(options.port))/ || parser.isSet(options.hostsFile))/
