# Record Session's dialog asks whether to replace an existing file, which the recording then appends to.
# file: recording/sessionrecording.cpp
s/ExistingFile::AppendedTo);/ExistingFile::Replaced);/
