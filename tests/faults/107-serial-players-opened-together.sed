# Two saved players on one serial port are opened at once: the second is refused the port.
# file: players/playerrun.cpp
s/        if (queue.size() == 1)/        if (!queue.empty())/
