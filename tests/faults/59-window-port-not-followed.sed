# The port field keeps the old name of an adapter that came back under another.
# file: connection/mainwindow_links.cpp
s/ui->comboBox_Port->setCurrentText(link->target().port);/;/
