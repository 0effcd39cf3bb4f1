# A link that fails is told lost, then disconnected as if the user had closed it.
# file: receive/receiveddisplay.cpp
s/    } else if (!failureTold) {/    } else if (!failureTold || m_linkState == DeviceLink::State::Closed) {/
