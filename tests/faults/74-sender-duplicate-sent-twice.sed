# zoxen-send sends the frame twice to a player listed twice (Standby then undone).
# file: sender/sendercommandline.cpp
s/if (request.timesListed\[\*address\]++ == 0)/if (request.timesListed[*address]++ >= 0)/
