# The port list, when it refreshes, drops a typed port that the system does not list.
# file: connection/serialports.cpp
s/if (!name.isEmpty() \&\& !listed)/if (!name.isEmpty() \&\& listed)/
