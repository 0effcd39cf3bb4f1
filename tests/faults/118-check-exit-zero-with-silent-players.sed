# zoxen-send --check says all is well when a player does not answer.
# file: players/playerrun.cpp
s/        result.sent = check.state() == PlayerState::Answers;/        result.sent = check.state() != PlayerState::NotChecked;/
