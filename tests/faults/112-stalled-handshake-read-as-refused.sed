# A player whose handshake never completes is shown as refusing.
# file: link/devicelink.cpp
s/    fail(tcpErrorMessage(connectTimeoutReason(m_connectTimeoutMs)));/    fail(tcpErrorMessage(connectTimeoutReason(m_connectTimeoutMs)), LinkFailure::Refused);/
