# A list keeps the sizes it measured in the font it had before.
# file: modelselection/entrylist.cpp
s/^        measured.clear();$/        measured.squeeze();/
