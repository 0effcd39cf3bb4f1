# A list refilled takes the size measured for the first entries it held, whatever its new ones.
# file: modelselection/entrylist.cpp
s/^    auto size = measured.constFind(entries);$/    auto size = measured.constBegin();/
