# zoxen-send ignores --baud given with a TCP/IP model instead of refusing it.
# file: sender/sendercommandline.cpp
s/if (parser.isSet(options.device) || parser.isSet(options.baud))/if (parser.isSet(options.device))/
