# The settings directory is not created at the first start: the first save fails.
# file: config/configurationfile.cpp
/QDir().mkpath(directory);/d
