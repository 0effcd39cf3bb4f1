# The on-demand model's greyed Connect and Disconnect say why only once a command has connected.
# file: connection/mainwindow_links.cpp
s/const QString why = model && model->isOnDemand()$/const QString why = model \&\& link->target().perFrame/
