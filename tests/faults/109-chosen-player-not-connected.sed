# A player chosen from the list is shown but not connected, Auto-connection on.
# file: players/mainwindow_players.cpp
/^    autoConnect();/d
