# A list that keeps its entries for the next model keeps the entry chosen before, not the first.
# file: modelselection/modelcontrols.cpp
s/^        list->setCurrentIndex(entries.isEmpty() ? -1 : 0);$//
