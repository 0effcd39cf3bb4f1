# Frames still on their way when the link closes are not told as not sent (the recording misses
# them).
# file: link/devicelink.cpp
/settleFrame(frame.number, SendState::NotSent);/{n;d}
