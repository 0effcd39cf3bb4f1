# The settings writer swaps the 3rd and 4th bytes of the address (lines 15 and 16).
# file: config/configuration.cpp
s/QString::number(settings.address\[2\]),/QString::number(settings.address[@]),/
s/QString::number(settings.address\[3\]),/QString::number(settings.address[2]),/
s/QString::number(settings.address\[@\]),/QString::number(settings.address[3]),/
