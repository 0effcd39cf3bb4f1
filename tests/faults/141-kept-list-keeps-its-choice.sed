# A list that keeps its entries for the next model keeps the entry chosen before, not the first.
# file: modelselection/entrylist.cpp
s/^        setCurrentIndex(entries.isEmpty() ? -1 : 0);$//
