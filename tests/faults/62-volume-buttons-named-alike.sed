# The volume's maximum button is read out by a screen reader as its minimum one.
# file: app/mainwindow.ui
s#<string>Volume to maximum</string>#<string>Volume to minimum</string>#
