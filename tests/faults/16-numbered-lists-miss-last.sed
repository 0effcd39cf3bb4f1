# The numbered lists (player IDs, references, presets) miss their last entry.
# file: modelselection/modelpanels.cpp
s/for (int number = first; number <= last; ++number)/for (int number = first; number < last; ++number)/
