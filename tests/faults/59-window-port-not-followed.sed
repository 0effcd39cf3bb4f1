# The port field keeps the old name of an adapter that came back under another.
# file: connection/mainwindow_links.cpp
s/setCurrentText(link->target().port)/setCurrentText(ui->comboBox_Port->currentText())/
