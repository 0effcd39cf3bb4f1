# The video models listen on TCP port 65078 instead of 65079.
# file: catalogue/playercatalogue.cpp
s/constexpr quint16 videoPort = 65079;/constexpr quint16 videoPort = 65078;/
