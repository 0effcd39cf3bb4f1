# The timeline is off again at every start.
# file: config/preferences.cpp
s/preferences.timeline = value == "on";/preferences.timeline = false;/
