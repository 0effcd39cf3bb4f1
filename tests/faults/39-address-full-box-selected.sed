# A digit typed over a full box's selected number goes on to the next box instead of replacing it.
# file: connection/addressentry.cpp
s/spin->cleanText().size() >= 3 \&\& edit \&\& !edit->hasSelectedText() \&\&/spin->cleanText().size() >= 3 \&\& edit \&\&/
