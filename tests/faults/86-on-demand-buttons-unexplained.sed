# The on-demand model's greyed Connect and Disconnect say why only once a command has connected.
# file: connection/mainwindow_links.cpp
s/model \&\& model->isOnDemand() ? onDemandLinkNote()/model \&\& link->target().perFrame ? onDemandLinkNote()/
