# The simulator drops the bytes it cannot decode instead of showing them.
# file: simulator/framestreamdecoder.cpp
s/m_undecodable.append(m_buffer.at(position++));/++position;/
