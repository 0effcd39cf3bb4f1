# A reader gone from a FIFO that the console records to ends the console (status 141), without saving its settings.
# file: startup/quitonsignals.cpp
s/std::signal(SIGPIPE, SIG_IGN)/std::signal(SIGPIPE, SIG_DFL)/
