# zoxen-send keeps the soft limit on open files, and reaches players fewer at a time.
# file: sender/main.cpp
/limit.rlim_cur = limit.rlim_max;/d
