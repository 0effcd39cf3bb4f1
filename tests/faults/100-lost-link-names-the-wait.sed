# A link lost during a pause names the pause, not the command it kept from being sent.
# file: sequence/sequencerun.cpp
s/        m_index = next;$//
