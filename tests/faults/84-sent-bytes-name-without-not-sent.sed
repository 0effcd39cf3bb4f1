# A frame that failed is read out with its bytes but without "Not sent".
# file: transmission/mainwindow_transmission.cpp
/label->setVisible(state == SendState::NotSent || connecting);/{N;s/\(.*\)\n\(.*\)/\2\n\1/}
