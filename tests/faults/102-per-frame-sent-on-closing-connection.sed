# On a player that closes its connection after answering, the next frame goes on the closing one
# and is lost.
# file: sequence/sequencerun.cpp
s/if (m_link->target().perFrame \&\& m_link->state() != DeviceLink::State::Closed) {/if (false) {/
