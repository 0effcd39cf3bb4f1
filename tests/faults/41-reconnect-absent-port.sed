# Without a stable name, a lost port is tried again only while it is absent, never once it is back.
# file: connection/serialports.cpp
s/return portPresent ? port : QString();/return !portPresent ? port : QString();/
