# A list whose new entries are as many as its old ones keeps the old ones.
# file: modelselection/entrylist.cpp
/^    for (int index = 0; same && index < entries.size(); ++index)$/,/^        same = itemText(index) == entries.at(index);$/d
