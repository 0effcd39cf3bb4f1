# The on-demand model's volume goes in a "cmd" envelope instead of "set".
# file: transmission/controlframe.cpp
s/textEnvelope(Envelope::settingVerb,/textEnvelope(Envelope::commandVerb,/
