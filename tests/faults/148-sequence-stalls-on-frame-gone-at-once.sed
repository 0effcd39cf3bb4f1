# A frame that left before send() returned is never seen to leave: the run stalls on its step.
# file: sequence/sequencerun.cpp
s/m_link->lastFrameState() == SendState::Sent)/m_link->lastFrameState() == SendState::Sent \&\& false)/
