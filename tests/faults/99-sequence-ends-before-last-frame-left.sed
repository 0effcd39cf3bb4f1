# The run moves on once a frame is handed to the link, not once it has left: zoxen-send ends
# with the last frame still queued, and the player never gets it.
# file: sequence/sequencerun.cpp
s/connect(m_link, \&DeviceLink::frameLeft, this, \[this\](int frame) {/connect(m_link, \&DeviceLink::frameSent, this, [this](int frame) {/
