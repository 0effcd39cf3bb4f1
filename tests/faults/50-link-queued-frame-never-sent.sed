# A frame queued while the connection is made is never told as sent once it has left.
# file: link/devicelink.cpp
s/m_inFlight.append({number, device->bytesToWrite(), frame, name, !up, answerWaitMs});/m_inFlight.append({number, device->bytesToWrite(), frame, name, false, answerWaitMs});/
