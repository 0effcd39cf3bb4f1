# The lines still waiting when a recording stops are dropped instead of written: a recording
# stopped just after it started leaves an empty file.
# file: recording/recordingwriter.cpp
s/if (shared->queue.isEmpty() || shared->abandoned)/if (shared->closing || shared->abandoned)/
