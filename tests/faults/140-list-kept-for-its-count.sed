# A list whose new entries are as many as its old ones keeps the old ones.
# file: modelselection/entrylist.cpp
s/^    if (entries == this->entries) {$/    if (entries.size() == this->entries.size()) {/
