# "Connecting to the player... Please wait." widens the window, which stays wide and empty.
# file: app/mainwindow.ui
/name="label_Connection_Message"/,/<\/widget>/{/name="wordWrap"/,+2d}
