# zoxen-send opens any hosts file: a FIFO hangs it, /dev/zero is read for its first MiB.
# file: sender/sendercommandline.cpp
s/if (info.exists() && !info.isFile())/if (info.isDir())/
