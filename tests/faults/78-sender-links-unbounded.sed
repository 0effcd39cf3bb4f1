# zoxen-send opens as many connections as its file limit allows, leaving none for itself:
# under a low hard limit, players are lost.
# file: sender/main.cpp
s/return int(std::clamp(limit.rlim_cur, reserved + 1, reserved + most) - reserved);/return int(std::clamp(limit.rlim_cur, reserved + 1, reserved + most));/
