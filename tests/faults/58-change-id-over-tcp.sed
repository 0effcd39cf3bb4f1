# Change ID offered over TCP/IP, where every player answers to ID 0.
# file: transmission/namedcontrols.cpp
s/if (model.isTcp() || changeId.dataMin.isEmpty()/if (model.tcpPort == 1 || changeId.dataMin.isEmpty()/
