# The folder bank is counted from one number too far: the last folder of a bank goes to the next.
# file: catalogue/folders.cpp
s/const int bank = (number - range.first) \/ range.count;/const int bank = (number - range.first + 1) \/ range.count;/
