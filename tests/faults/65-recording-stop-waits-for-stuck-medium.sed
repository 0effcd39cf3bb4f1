# Stop Recording, or closing the console, while the file does not take its lines (a FIFO without a reader, a stalled mount) freezes the window until it does.
# file: recording/recordingwriter.cpp
s/std::chrono::milliseconds(waitMs)/std::chrono::hours(waitMs)/
