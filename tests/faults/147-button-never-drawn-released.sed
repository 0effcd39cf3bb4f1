# A button that acted is never drawn again: it stays drawn pressed.
# file: transmission/buttonsactfirst.cpp
s/button->setUpdatesEnabled(true); });/});/
