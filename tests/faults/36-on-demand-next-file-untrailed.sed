# The on-demand model's Next File loses its two trailing "255" arguments.
# file: transmission/controlframe.cpp
s/category == CommandCategory::NextFile;/category == CommandCategory::Stop;/
