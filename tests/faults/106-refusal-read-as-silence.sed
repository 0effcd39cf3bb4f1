# A player that refuses the connection is shown as one that does not answer.
# file: players/statuscheck.cpp
s/        end(PlayerState::Refused);/        end(PlayerState::NoAnswer);/
