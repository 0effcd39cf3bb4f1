# The full UTC date/time command sends the local date and time.
# file: transmission/frames.cpp
s/return dateTimeBytes(clock.utc);/return dateTimeBytes(clock.local);/
