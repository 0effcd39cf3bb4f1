# The LF of a CR LF cut between two reads starts a line of its own.
# file: timeline/timelinetext.cpp
s/if (m_afterCr \&\& !bytes.isEmpty() \&\& bytes.front() == '\\n') {/if (false) {/
