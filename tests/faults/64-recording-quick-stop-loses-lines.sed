# A recording stopped just after it started leaves an empty file.
# file: recording/sessionrecorder.cpp
s/Qt::BlockingQueuedConnection/Qt::QueuedConnection/
