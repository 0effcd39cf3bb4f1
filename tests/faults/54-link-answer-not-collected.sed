# What a player sends after a frame is not kept as its answer.
# file: link/devicelink.cpp
s/        m_answer += chunk;/        m_answer.clear();/
