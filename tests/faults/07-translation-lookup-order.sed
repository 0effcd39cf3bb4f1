# A translation beside the executable wins over one in the working directory.
# file: app/mainwindow_language.cpp
s/QDir::currentPath(), executable.path(),/executable.path(), QDir::currentPath(),/
