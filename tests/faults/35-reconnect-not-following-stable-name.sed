# A lost adapter known by a stable name is opened again at its old port name, not where its name points.
# file: connection/serialports.cpp
s/return listedName(name.target);/return port;/
