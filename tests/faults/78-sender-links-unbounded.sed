# zoxen-send opens as many connections as its file limit, leaving none for itself: players lost.
# file: sender/main.cpp
s/return int(std::clamp(limit.rlim_cur, reserved + 1, reserved + most) - reserved);/return int(limit.rlim_cur);/
