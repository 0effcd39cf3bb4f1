# zoxen-send keeps the last of two --model or --port options without a word.
# file: sender/sendercommandline.cpp
s/if (parser.values(\*option).size() > 1)/if (parser.values(*option).size() > 2)/
