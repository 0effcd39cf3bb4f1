# Times of the timeline and the recording stay in the time zone the console started in.
# file: timeline/localclock.cpp
s/        if (msecs \/ 1000 != second) {/        if (second == std::numeric_limits<qint64>::min()) {/
