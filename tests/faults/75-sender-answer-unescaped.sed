# zoxen-send prints an answer's bytes raw: a zero byte cuts the output, a line break splits it.
# file: sender/playerresult.cpp
s/QString::fromLatin1(SessionLine::escapedAscii(result.answer))/QString::fromLatin1(result.answer)/
