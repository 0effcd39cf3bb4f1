# The address given to the socket has its last two bytes swapped.
# file: connection/linksettings.cpp
s/QString::number(third),$/QString::number(fourth),/
s/QString::number(fourth)}/QString::number(third)}/
